#pragma once

#include <QDialog>

#include "app_services.h"

namespace mirva {

/// The program's name, the version it was built as and the working directory it runs on.
class AboutDialog : public QDialog {
  Q_OBJECT

 public:
  explicit AboutDialog(AppServices services, QWidget* parent = nullptr);
};

}  // namespace mirva
