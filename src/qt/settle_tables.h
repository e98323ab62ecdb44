#pragma once
// The Settle window's two lists as Qt sees them: the bets with what each
// pays, and the runners with their result. Both read the window's value and
// hand every edit back; Refresh brings their views up to it.

#include <QAbstractTableModel>
#include <functional>
#include <span>
#include <string>

#include "qt/choice_delegate.h"
#include "settler.h"

namespace stakora::qt {

// A list over the Settler, a column per heading: its row count follows
// Lines() on Refresh.
class SettleList : public QAbstractTableModel {
  Q_OBJECT
 public:
  SettleList(const settle::Settler& model, const settle::SettlerView& view,
             std::span<const char* const> headings, QObject* parent)
      : QAbstractTableModel(parent), model_(model), view_(view), headings_(headings) {}
  int rowCount(const QModelIndex& parent = {}) const override {
    return parent.isValid() ? 0 : shown_;
  }
  int columnCount(const QModelIndex& parent = {}) const override {
    return parent.isValid() ? 0 : static_cast<int>(headings_.size());
  }
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
  // Lines that came or went at the end, then every cell drawn again.
  void Refresh();

 protected:
  virtual int Lines() const = 0;
  const settle::Settler& model_;
  const settle::SettlerView& view_;

 private:
  std::span<const char* const> headings_;
  int shown_ = 0;
};

class SettleBetsTable : public SettleList {
  Q_OBJECT
 public:
  enum Column {
    kRunner,
    kKind,
    kStake,
    kOdds,
    kTerms,
    kResult,
    kRule4,
    kPrice,
    kReturn,
    kProfit,
    kColumns
  };
  using Typed = std::function<void(std::size_t line, settle::BetCell cell, const std::string&)>;
  SettleBetsTable(const settle::Settler& model, const settle::SettlerView& view, Typed typed,
                  QObject* parent);

  QVariant data(const QModelIndex& index, int role) const override;
  bool setData(const QModelIndex& index, const QVariant& value, int role) override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;

 protected:
  int Lines() const override { return static_cast<int>(model_.bets.size()); }

 private:
  Typed typed_;
};

// The kinds a bet can be, for the kind column's list.
Choices BetKinds();

class SettleRunnersTable : public SettleList {
  Q_OBJECT
 public:
  enum Column { kName, kPosition, kNonRunner, kPrice, kFactor, kPlaceFactor, kColumns };
  using Typed = std::function<void(std::size_t line, settle::RunnerCell cell, const std::string&)>;
  using Ticked = std::function<void(std::size_t line, bool non_runner)>;
  SettleRunnersTable(const settle::Settler& model, const settle::SettlerView& view, Typed typed,
                     Ticked ticked, QObject* parent);

  QVariant data(const QModelIndex& index, int role) const override;
  bool setData(const QModelIndex& index, const QVariant& value, int role) override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;

 protected:
  int Lines() const override { return static_cast<int>(model_.runners.size()); }

 private:
  Typed typed_;
  Ticked ticked_;
};

}  // namespace stakora::qt
