#pragma once

#include <QObject>
#include <QString>
#include <mutex>
#include <thread>
#include <utility>
#include <vector>

namespace mirva {

/// Radio models to choose from: Hamlib's number and name, by name.
using RadioModelList = std::vector<std::pair<int, QString>>;

/// Reads the radio models in a thread of its own, so that loading Hamlib's backends never
/// holds the window; none in a build without Hamlib.
class RadioModelReader : public QObject {
  Q_OBJECT

 public:
  /// Starts reading at once.
  explicit RadioModelReader(QObject* parent = nullptr);
  /// Waits for a read under way: it reads Hamlib's tables and never talks to a radio.
  ~RadioModelReader() override;

 Q_SIGNALS:
  /// The models, in the thread the reader lives in.
  void ready(const RadioModelList& models);

 private:
  std::mutex mutex_;
  /// Guarded by mutex_: the reading thread leaves the list here for the reader's own thread.
  RadioModelList models_;
  /// Last, so that it starts after the members it writes.
  std::thread thread_;
};

}  // namespace mirva
