#pragma once
// A column whose cells take one of a few words (a bet's kind): its editor is
// a list of them, each with what it means as its tool tip.

#include <QList>
#include <QPair>
#include <QString>

#include "qt/problem_marks.h"

namespace stakora::qt {

class ChoiceDelegate : public ProblemFrameDelegate {
  Q_OBJECT
 public:
  // Each choice's word and help; `name` is the list's name for a screen reader.
  ChoiceDelegate(QList<QPair<QString, QString>> choices, QString name, QObject* parent);
  QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                        const QModelIndex& index) const override;
  void setEditorData(QWidget* editor, const QModelIndex& index) const override;
  void setModelData(QWidget* editor, QAbstractItemModel* model,
                    const QModelIndex& index) const override;

 private:
  QList<QPair<QString, QString>> choices_;
  QString name_;
};

}  // namespace stakora::qt
