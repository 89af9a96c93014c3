#pragma once

#include <QColor>
#include <QString>
#include <QWidget>
#include <optional>
#include <string>
#include <vector>

#include "spots/band_map.h"

namespace mirva {

/// One band's frequencies on the scale.
struct BandScale {
  std::string band;
  HzRange range;
};

/// A spot as the view draws it: its call at its place, in the colour of its worth.
struct BandMapLabel {
  const HeldSpot* held = nullptr;  ///< valid until the view is given spots anew
  QString text;
  QColor color;
  bool bold = false;
  bool italic = false;
  bool newest = false;
  int tick_y = 0;  ///< where its frequency lies on the scale
  int top = 0;     ///< where the label goes, moved down off the label above it
  int width = 0;
};

/// The spots on a vertical frequency scale, highest frequency on top, one section per band;
/// the radio's frequency as a line, the chosen spot highlighted. Up and Down move the
/// selection, Enter or a click chooses a spot.
class BandMapView : public QWidget {
  Q_OBJECT

 public:
  explicit BandMapView(QWidget* parent = nullptr);

  /// Lays the spots (by frequency) out on the bands' scales; a spot of no shown band is left
  /// out. Older spots fade towards `max_age_ms`; the selection stays on its call and band.
  void ShowSpots(const std::vector<const HeldSpot*>& by_frequency,
                 const std::vector<BandScale>& scales, const HeldSpot* newest, std::int64_t now_ms,
                 std::int64_t max_age_ms);
  void ShowRadioFrequency(std::int64_t hz);
  /// Selects the label of that spot, if shown, and scrolls to it.
  void Select(const HeldSpot* held);

  /// Top to bottom, that is from the highest frequency down.
  const std::vector<BandMapLabel>& Labels() const { return labels_; }
  /// The selected label's index; none when nothing is selected.
  std::optional<std::size_t> Selected() const;
  /// Where the frequency lies on the scale; none off every shown band.
  std::optional<int> YOf(std::int64_t hz) const;

  QSize sizeHint() const override;

 Q_SIGNALS:
  void spotChosen(const Spot& spot);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;

 private:
  struct Section {
    BandScale scale;
    int top = 0;  ///< the band's name above its scale
    int scale_top = 0;
    int bottom = 0;  ///< below the scale and every label
  };

  void SelectIndex(std::size_t index);
  void Describe();
  void PaintScale(QPainter& painter, const Section& section, const QRect& exposed) const;

  std::vector<Section> sections_;
  std::vector<BandMapLabel> labels_;
  std::int64_t radio_hz_ = 0;
  /// The selected spot's call and band, kept over new spots.
  std::string selected_call_;
  std::string selected_band_;
  int line_height_;
};

}  // namespace mirva
