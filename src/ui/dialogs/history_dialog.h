#pragma once

#include <QDialog>
#include <QStringList>
#include <vector>

#include "app_services.h"
#include "history/history_files.h"

class QListWidget;
class QPushButton;

namespace mirva {

/// The "Call history" settings: the files whose values propose the received exchange and
/// show a station's name, a later file's value winning. OK keeps them with the working
/// directory; the program then reads them anew.
class HistoryDialog : public QDialog {
  Q_OBJECT

 public:
  explicit HistoryDialog(AppServices services, QWidget* parent = nullptr);

  /// Shows the stored files, each with what its last load gave.
  void showEvent(QShowEvent* event) override;
  /// What each file gave when the files were last read, shown beside it.
  void ShowReports(const std::vector<HistoryFileReport>& reports);
  /// Adds files to the list: what the "Add" button does once files are chosen.
  void AddFiles(const QStringList& paths);
  /// The files as the window lists them.
  QStringList Files() const;

 private:
  void AddClick();
  void RemoveClick();
  void Button1Click();

  AppServices services_;
  QListWidget* files_;
  QPushButton* add_;
  QPushButton* remove_;
  std::vector<HistoryFileReport> reports_;
};

}  // namespace mirva
