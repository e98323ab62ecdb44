#pragma once
// A column whose cells take one of a few words (a bet's kind): its editor is
// a list of them, each with what it means as its tool tip.

#include <QList>
#include <QPair>
#include <QString>

#include "qt/problem_marks.h"

namespace stakora::qt {

// Each choice's word and what it means.
using Choices = QList<QPair<QString, QString>>;

// The choices of a list of kinds, by the core's words for them.
template <typename Kinds, typename Word, typename Help>
Choices ChoicesOf(const Kinds& kinds, Word word, Help help) {
  Choices out;
  for (const auto kind : kinds) out.append(qMakePair(QString(word(kind)), QString(help(kind))));
  return out;
}

// What each choice means, a line each: the column's tool tip.
QString ChoicesHelp(const Choices& choices);

class ChoiceDelegate : public ProblemFrameDelegate {
  Q_OBJECT
 public:
  // Each choice's word and help; `name` is the list's name for a screen reader.
  ChoiceDelegate(Choices choices, QString name, QObject* parent);
  QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                        const QModelIndex& index) const override;
  void setEditorData(QWidget* editor, const QModelIndex& index) const override;
  void setModelData(QWidget* editor, QAbstractItemModel* model,
                    const QModelIndex& index) const override;

 private:
  Choices choices_;
  QString name_;
};

}  // namespace stakora::qt
