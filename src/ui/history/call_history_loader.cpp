#include "history/call_history_loader.h"

#include <QThread>
#include <algorithm>

#include "native_file_system.h"
#include "session/session.h"
#include "ui_text.h"

namespace mirva {

CallHistoryLoader::CallHistoryLoader(Session& session, QObject* parent)
    : QObject(parent), session_(session) {}

CallHistoryLoader::~CallHistoryLoader() {
  for (QThread* thread : threads_) {
    thread->wait();
    delete thread;
  }
  if (history_ && session_.History() == history_.get())
    session_.SetCallHistory(nullptr);
}

void CallHistoryLoader::Load(std::vector<std::string> paths, std::string dir) {
  int generation = ++generation_;
  auto result = std::make_shared<LoadedHistory>();
  QThread* thread = QThread::create([result, paths = std::move(paths), dir = std::move(dir)] {
    NativeFileSystem fs;
    *result = LoadCallHistory(fs, dir, paths);
  });
  threads_.push_back(thread);
  connect(thread, &QThread::finished, this, [this, thread, result, generation] {
    threads_.erase(std::find(threads_.begin(), threads_.end(), thread));
    thread->deleteLater();
    if (generation != generation_)
      return;
    // The old history goes only once the session reads the new one.
    session_.SetCallHistory(result->history.get());
    history_ = std::move(result->history);
    reports_ = std::move(result->reports);
    Q_EMIT loaded();
  });
  thread->start(QThread::LowPriority);
}

QString CallHistoryLoader::Summary() const {
  if (reports_.empty())
    return {};
  std::string text = "Call history: " + CountOf(history_ ? history_->size() : 0, "call");
  for (const HistoryFileReport& report : reports_)
    text += " | " + HistoryReportText(report);
  return ToQt(text);
}

}  // namespace mirva
