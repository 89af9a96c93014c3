#pragma once

#include <QMargins>
#include <QRect>
#include <QWidget>
#include <vector>

namespace mirva {

/// The frame a window manager is taken to draw around a window whose frame is not known yet:
/// a title bar and thin borders.
inline constexpr QMargins kAssumedFrame{4, 30, 4, 4};

/// What the tiling knows of one window's frame: the size it would like, the least it can be
/// used at and the most it is worth growing to.
struct TileSizes {
  QSize natural;
  QSize minimum;
  QSize maximum{QWIDGETSIZE_MAX, QWIDGETSIZE_MAX};
};

/// Frame rectangles for columns of windows side by side in `area`, each column's windows one
/// under the other, `gap` apart, by column and in the order given. A column is as wide as its
/// widest window would like. Short of room, columns and windows give up room in proportion to
/// what they can spare above their minimum (and stay at it even when that leaves the area);
/// with room to spare they all grow alike, by half at most.
std::vector<std::vector<QRect>> TileColumns(const QRect& area,
                                            const std::vector<std::vector<TileSizes>>& columns,
                                            int gap);

/// The frame moved, and shrunk where it is larger, so that it lies wholly inside `screen`.
QRect PullOnto(const QRect& frame, const QRect& screen);

}  // namespace mirva
