#pragma once

#include <QDialog>
#include <QString>
#include <string>

#include "app_services.h"
#include "reports/report_file.h"

class QFileDialog;
class QPlainTextEdit;
class QToolButton;

namespace mirva {

/// A report to look over and save, and what the save dialog proposes for it.
struct PreviewReport {
  ReportLines lines;
  QString suffix;    ///< added to a file name typed without one, e.g. "cbr"
  int filter = 1;    ///< the save dialog's filter entry, from 1
  std::string call;  ///< whose report it is: the file proposed is named after it
};

/// The report preview: the report's lines as editable text, saved as a report file.
class ReportPreviewDialog : public QDialog {
  Q_OBJECT

 public:
  explicit ReportPreviewDialog(AppServices services, QWidget* parent = nullptr);

  /// Puts the report's lines into the memo, sets the save dialog up for it and opens the
  /// window.
  void ShowReport(const PreviewReport& report);
  /// Writes the memo's lines to the file as a report file. Nothing is written, and the
  /// operator is told why, when a line holds a character the file's code page cannot hold
  /// or the file cannot be written; false then.
  bool SaveTo(const QString& path);

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  /// Opens the save dialog in the working directory on the report's file name; its choice
  /// goes to SaveTo.
  void SpeedButton1Click();

  AppServices services_;
  QPlainTextEdit* memo_;
  QToolButton* save_button_;
  QFileDialog* save_dialog_;
  QString file_name_;  ///< proposed for the report shown
};

}  // namespace mirva
