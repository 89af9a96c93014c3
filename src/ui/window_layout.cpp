#include "window_layout.h"

#include <algorithm>
#include <cmath>
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

/// Lengths for spans laid end to end in `total`. Short of room, each span gives up a share of
/// what is missing in proportion to what it can spare above its minimum, so that a window with
/// little to spare keeps near its size; with room to spare, all grow by one factor, those that
/// reach their maximum stopping there.
std::vector<int> Share(int total, const std::vector<Span>& spans) {
  std::vector<int> lengths(spans.size());
  int wanted = 0;
  int spare = 0;
  for (const Span& span : spans) {
    wanted += span.natural;
    spare += std::max(0, span.natural - span.minimum);
  }
  if (wanted > total) {
    double given_up = spare > 0 ? std::min(1.0, static_cast<double>(wanted - total) / spare) : 0;
    for (std::size_t i = 0; i < spans.size(); ++i) {
      int room = std::max(0, spans[i].natural - spans[i].minimum);
      lengths[i] = std::max(spans[i].minimum,
                            spans[i].natural - static_cast<int>(std::ceil(room * given_up)));
    }
    return lengths;
  }
  // Each round stops at least one more span at its maximum or ends; the factor only grows.
  std::vector<bool> stopped(spans.size(), false);
  for (std::size_t round = 0; round <= spans.size(); ++round) {
    int left = total;
    int growing = 0;
    for (std::size_t i = 0; i < spans.size(); ++i) {
      if (stopped[i])
        left -= lengths[i];
      else
        growing += spans[i].natural;
    }
    double factor = growing > 0 ? std::min(kMostGrowth, static_cast<double>(left) / growing) : 1;
    bool changed = false;
    for (std::size_t i = 0; i < spans.size(); ++i) {
      if (stopped[i])
        continue;
      lengths[i] = static_cast<int>(spans[i].natural * factor);
      if (lengths[i] >= spans[i].maximum) {
        lengths[i] = std::max(spans[i].natural, spans[i].maximum);
        stopped[i] = true;
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
