#pragma once

#include <QList>
#include <QStringList>
#include <QTimer>
#include <chrono>
#include <functional>
#include <vector>

#include "reference/band_plan.h"
#include "spots/band_map.h"
#include "widgets/tool_window.h"

class QAction;
class QCheckBox;
class QLineEdit;
class QPlainTextEdit;
class QScrollArea;

namespace mirva {

class BandMapView;
struct BandScale;

/// The "Band map" window: the spots heard lately on a frequency scale of the entry's band
/// (or of every band), check boxes that filter them, and a console of the cluster's other
/// lines with a line to type a command to it. Spots come weighed; the weigher set once weighs
/// hand marks and, after the log or contest changed, the held spots again.
class BandMapWindow : public ToolWindow {
  Q_OBJECT

 public:
  explicit BandMapWindow(QWidget* parent = nullptr);
  ~BandMapWindow() override;

  void SetWeigher(SpotWeigher weigher) { weigher_ = std::move(weigher); }
  /// Tells the callsign typed in the entry, for a mark by hand.
  void SetTypedCall(std::function<QString()> typed) { typed_call_ = std::move(typed); }
  /// How long a spot stays on the map.
  void SetMaxAge(std::chrono::minutes age);
  /// The band plan whose start and end frequencies make each band's scale.
  void SetBandPlan(BandPlan plan);

  /// Spots with their worths, one for each; `source` names where they came from.
  void AddSpots(const std::vector<Spot>& spots, const std::vector<SpotWorth>& worths,
                const QString& source = QStringLiteral("cluster"));
  /// The cluster's lines that are no spots.
  void AddConsoleLines(const QStringList& lines);
  void ShowRadioFrequency(qint64 hz);
  void FollowEntry(const QString& band, const QString& mode);
  /// The log or the contest changed: the spots are weighed again as they are shown.
  void LogChanged();
  /// A QSO with this call was added to the log: the spots it can change are weighed again.
  void QsoAdded(const std::string& call);

  /// The keys that work from every window: grab the next spot up and down, and mark the
  /// radio's frequency by hand. The main window, always shown, carries them.
  QList<QAction*> Shortcuts() const { return shortcuts_; }

  const BandMap& map() const { return map_; }
  BandMapView& view() const { return *view_; }

 Q_SIGNALS:
  /// The operator chose a spot: by a click, Enter on the selected one, or a grab key.
  void spotChosen(const Spot& spot);
  /// The operator marked the radio's frequency with the typed call.
  void spotMarked(const Spot& spot);
  void commandTyped(const QString& command);

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  QCheckBox* AddFilter(const char* name, const char* caption, bool BandMapFilter::*flag);
  QAction* AddShortcut(const char* name, QKeySequence key, std::function<void()> run);
  /// Asks the map what to show now and shows it when the window is open.
  void Refresh();
  /// Weighs the outdated spots of the band shown and takes the ones the filters let through.
  void Reweigh();
  std::vector<BandScale> Scales() const;
  void Grab(bool up);
  void MarkByHand();
  void Choose(const Spot& spot);
  void SendCommand();

  BandMap map_;
  BandMapFilter filter_;
  BandPlan plan_;
  std::string band_;
  std::string mode_;
  SpotWeigher weigher_;
  std::function<QString()> typed_call_;
  std::int64_t radio_hz_ = 0;
  /// Where the next grab looks from: the radio's frequency, or the spot chosen last.
  std::int64_t from_hz_ = 0;
  std::vector<const HeldSpot*> visible_;
  bool stale_ = true;
  /// The band on top of the view when it was last shown.
  std::string shown_band_;
  /// Whether the view was scrolled to the radio or a spot since that band first showed.
  bool placed_ = false;
  QTimer age_timer_;
  QList<QAction*> shortcuts_;
  BandMapView* view_;
  QScrollArea* scroll_;
  QPlainTextEdit* console_;
  QLineEdit* command_;
};

}  // namespace mirva
