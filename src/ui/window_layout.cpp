#include "window_layout.h"

#include <algorithm>
#include <cstddef>

namespace mirva {

namespace {

/// The most a window grows beyond the size it would like, on a large screen.
constexpr double kMostGrowth = 1.5;

struct Span {
  int natural;
  int minimum;
  int maximum;
};

/// Lengths for spans laid end to end in `total`: each its natural length times one common
/// factor, except those the factor would take past their bounds, which keep the bound.
std::vector<int> Share(int total, const std::vector<Span>& spans) {
  std::vector<int> lengths(spans.size());
  std::vector<bool> bound(spans.size(), false);
  // Each round binds at least one more span or ends, so the spans bound every round.
  for (std::size_t round = 0; round <= spans.size(); ++round) {
    int left = total;
    int wanted = 0;
    for (std::size_t i = 0; i < spans.size(); ++i) {
      if (bound[i])
        left -= lengths[i];
      else
        wanted += spans[i].natural;
    }
    double factor = wanted > 0 ? std::min(kMostGrowth, static_cast<double>(left) / wanted) : 0;
    bool changed = false;
    for (std::size_t i = 0; i < spans.size(); ++i) {
      if (bound[i])
        continue;
      auto length = static_cast<int>(spans[i].natural * factor);
      lengths[i] =
          std::clamp(length, spans[i].minimum, std::max(spans[i].minimum, spans[i].maximum));
      if (lengths[i] != length) {
        bound[i] = true;
        changed = true;
      }
    }
    if (!changed)
      break;
  }
  return lengths;
}

}  // namespace

std::vector<std::vector<QRect>> TileColumns(const QRect& area,
                                            const std::vector<std::vector<TileSizes>>& columns,
                                            int gap) {
  std::vector<Span> widths;
  for (const std::vector<TileSizes>& column : columns) {
    Span width{0, 0, 0};
    for (const TileSizes& window : column) {
      width.natural = std::max(width.natural, window.natural.width());
      width.minimum = std::max(width.minimum, window.minimum.width());
      width.maximum = std::max(width.maximum, window.maximum.width());
    }
    widths.push_back(width);
  }
  auto gaps = [gap](std::size_t count) { return gap * static_cast<int>(count ? count - 1 : 0); };
  std::vector<int> column_widths = Share(area.width() - gaps(columns.size()), widths);

  std::vector<std::vector<QRect>> frames;
  int x = area.left();
  for (std::size_t c = 0; c < columns.size(); ++c) {
    const std::vector<TileSizes>& column = columns[c];
    std::vector<Span> heights;
    for (const TileSizes& window : column)
      heights.push_back(
          Span{window.natural.height(), window.minimum.height(), window.maximum.height()});
    std::vector<int> window_heights = Share(area.height() - gaps(column.size()), heights);
    std::vector<QRect>& placed = frames.emplace_back();
    int y = area.top();
    for (std::size_t w = 0; w < column.size(); ++w) {
      int width = std::clamp(column_widths[c], column[w].minimum.width(),
                             std::max(column[w].minimum.width(), column[w].maximum.width()));
      placed.emplace_back(x, y, width, window_heights[w]);
      y += window_heights[w] + gap;
    }
    x += column_widths[c] + gap;
  }
  return frames;
}

QRect PullOnto(const QRect& frame, const QRect& screen) {
  QRect pulled(frame.topLeft(), frame.size().boundedTo(screen.size()));
  pulled.moveLeft(std::clamp(pulled.left(), screen.left(), screen.right() - pulled.width() + 1));
  pulled.moveTop(std::clamp(pulled.top(), screen.top(), screen.bottom() - pulled.height() + 1));
  return pulled;
}

}  // namespace mirva
