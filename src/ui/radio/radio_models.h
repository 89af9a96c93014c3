#pragma once

#include <QObject>
#include <QString>
#include <utility>
#include <vector>

class QThread;

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
  /// The models, in the reader's owner's thread.
  void ready(const RadioModelList& models);

 private:
  QThread* thread_;
  /// Written by the reading thread before it ends, read after.
  RadioModelList models_;
};

}  // namespace mirva
