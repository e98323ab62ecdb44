#include "qt/choice_delegate.h"

#include <QComboBox>

namespace stakora::qt {

QString ChoicesHelp(const Choices& choices) {
  QStringList helps;
  for (const auto& choice : choices) helps << choice.second;
  return helps.join('\n');
}

ChoiceDelegate::ChoiceDelegate(Choices choices, QString name, QObject* parent)
    : ProblemFrameDelegate(parent), choices_(std::move(choices)), name_(std::move(name)) {}

QWidget* ChoiceDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem&,
                                      const QModelIndex&) const {
  auto* box = new QComboBox(parent);
  box->setAccessibleName(name_);
  for (const auto& [word, help] : choices_) {
    box->addItem(word);
    box->setItemData(box->count() - 1, help, Qt::ToolTipRole);
  }
  return box;
}

void ChoiceDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const {
  auto* box = static_cast<QComboBox*>(editor);
  const int at = box->findText(index.data(Qt::EditRole).toString().trimmed().toLower());
  box->setCurrentIndex(at < 0 ? 0 : at);
}

void ChoiceDelegate::setModelData(QWidget* editor, QAbstractItemModel* model,
                                  const QModelIndex& index) const {
  model->setData(index, static_cast<QComboBox*>(editor)->currentText(), Qt::EditRole);
}

}  // namespace stakora::qt
