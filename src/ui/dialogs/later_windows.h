#pragma once

#include <QDialog>
#include <QWidget>

namespace mirva {

/// Windows that the program creates at start-up in their place in the order, but that no
/// menu opens yet: each is an empty window under its own name.
class PendingWindow : public QDialog {
  Q_OBJECT

 public:
  PendingWindow(const char* name, QWidget* parent = nullptr) : QDialog(parent) {
    setObjectName(QString::fromLatin1(name));
  }
};

}  // namespace mirva
