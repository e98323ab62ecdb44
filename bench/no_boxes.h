#pragma once
// Message boxes that show nothing and answer No: a benchmark waits for no one.

#include "qt/message_boxes.h"

class NoBoxes : public stakora::qt::MessageBoxes {
 public:
  void Message(QWidget*, const QString&) override {}
  bool Question(QWidget*, const QString&) override { return false; }
  void ErrorNumber(QWidget*, const QString&) override {}
  void Failure(QWidget*, const QString&) override {}
};
