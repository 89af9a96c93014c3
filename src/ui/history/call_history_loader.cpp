#include "history/call_history_loader.h"

#include <QThread>
#include <algorithm>
#include <mutex>

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
  // The thread's result, handed over under a lock of its own: the finished signal's queue does
  // not order the thread's writes before the window thread's reads for every checker.
  struct Handover {
    std::mutex mutex;
    LoadedHistory loaded;
  };
  auto handover = std::make_shared<Handover>();
  QThread* thread = QThread::create([handover, paths = std::move(paths), dir = std::move(dir)] {
    NativeFileSystem fs;
    LoadedHistory loaded = LoadCallHistory(fs, dir, paths);
    std::lock_guard lock(handover->mutex);
    handover->loaded = std::move(loaded);
  });
  threads_.push_back(thread);
  connect(thread, &QThread::finished, this, [this, thread, handover, generation] {
    threads_.erase(std::find(threads_.begin(), threads_.end(), thread));
    thread->deleteLater();
    if (generation != generation_)
      return;
    LoadedHistory taken;
    {
      std::lock_guard lock(handover->mutex);
      taken = std::move(handover->loaded);
    }
    // The old history goes only once the session reads the new one.
    session_.SetCallHistory(taken.history.get());
    history_ = std::move(taken.history);
    reports_ = std::move(taken.reports);
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
