#pragma once

#include <QObject>
#include <QString>
#include <memory>
#include <string>
#include <vector>

#include "history/history_files.h"

class QThread;

namespace mirva {

class Session;

/// Reads the call history files in a thread of its own, so that a long file never holds up the
/// keyboard, and hands the session the new history on the window thread once it is read. A
/// load started while another runs wins: the older one's result is dropped.
class CallHistoryLoader : public QObject {
  Q_OBJECT

 public:
  explicit CallHistoryLoader(Session& session, QObject* parent = nullptr);
  /// Waits for a load under way: the session must not get a history after its windows went.
  ~CallHistoryLoader() override;

  /// Starts reading the files (UTF-8 paths; a relative one in the folder `dir`).
  void Load(std::vector<std::string> paths, std::string dir);
  /// What each file of the last finished load gave.
  const std::vector<HistoryFileReport>& reports() const { return reports_; }
  /// One line for the operator on the last finished load.
  QString Summary() const;
  bool busy() const { return !threads_.empty(); }

 Q_SIGNALS:
  /// The session reads the newly loaded history; reports() tell what each file gave.
  void loaded();

 private:
  Session& session_;
  std::unique_ptr<CallHistory> history_;
  std::vector<HistoryFileReport> reports_;
  std::vector<QThread*> threads_;
  int generation_ = 0;
};

}  // namespace mirva
