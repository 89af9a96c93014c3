#include "widgets/band_map_view.h"

#include <QAccessible>
#include <QKeyEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollArea>
#include <algorithm>
#include <map>

#include "ui_text.h"

namespace mirva {

namespace {

constexpr int kPixelsPerKhz = 4;
constexpr std::int64_t kTickHz = 5000;
constexpr std::int64_t kFigureHz = 10000;
constexpr int kTickX = 62;
constexpr int kLabelX = 84;
constexpr int kSectionGap = 10;
/// The faintest an old spot gets, at the age limit.
constexpr double kFaintest = 0.35;
const QString kOutMark = QStringLiteral("\u00D7");

QColor WorthColour(const SpotWorth& worth) {
  switch (worth.value) {
    case SpotValue::kMult:
      return QColor(200, 0, 0);
    case SpotValue::kQso:
      return QColor(0, 0, 170);
    case SpotValue::kDupe:
    case SpotValue::kOut:
      break;
  }
  return QColor(128, 128, 128);
}

QString WorthWords(const SpotWorth& worth) {
  QString words;
  switch (worth.value) {
    case SpotValue::kMult:
      words = QStringLiteral("new multiplier ") + ToQt(worth.mults);
      break;
    case SpotValue::kQso:
      words = QStringLiteral("QSO");
      break;
    case SpotValue::kDupe:
      words = QStringLiteral("dupe");
      break;
    case SpotValue::kOut:
      words = QStringLiteral("out of the contest");
      break;
  }
  if (worth.worked_before)
    words += QStringLiteral(", worked before");
  return words.trimmed();
}

QString Khz(std::int64_t hz) {
  return QString::number(static_cast<double>(hz) / 1000.0, 'f', 1);
}

}  // namespace

BandMapView::BandMapView(QWidget* parent)
    : QWidget(parent), line_height_(fontMetrics().height() + 2) {
  setObjectName(QStringLiteral("BandMapView"));
  setAccessibleName(QStringLiteral("Spots"));
  setFocusPolicy(Qt::StrongFocus);
  setBackgroundRole(QPalette::Base);
  setAutoFillBackground(true);
  Describe();
}

QSize BandMapView::sizeHint() const {
  return {240, std::max(300, minimumHeight())};
}

void BandMapView::ShowSpots(const std::vector<const HeldSpot*>& by_frequency,
                            const std::vector<BandScale>& scales, const HeldSpot* newest,
                            std::int64_t now_ms, std::int64_t max_age_ms) {
  sections_.clear();
  labels_.clear();
  std::map<std::string, std::vector<const HeldSpot*>, std::less<>> by_band;
  for (const HeldSpot* held : by_frequency)
    by_band[held->worth.band].push_back(held);
  int top = 2;
  for (const BandScale& scale : scales) {
    Section section{scale, top, top + line_height_, 0};
    auto ys = [&](std::int64_t hz) {
      std::int64_t clamped = std::clamp(hz, scale.range.low, scale.range.high);
      return section.scale_top +
             static_cast<int>((scale.range.high - clamped) * kPixelsPerKhz / 1000);
    };
    int scale_bottom = ys(scale.range.low);
    std::vector<int> wanted;
    auto spots = by_band.find(scale.band);
    std::size_t first = labels_.size();
    if (spots != by_band.end()) {
      for (auto at = spots->second.rbegin(); at != spots->second.rend(); ++at) {
        const HeldSpot* held = *at;
        BandMapLabel label;
        label.held = held;
        bool out = held->worth.value == SpotValue::kOut;
        label.text = out ? kOutMark + ToQt(held->spot.call) : ToQt(held->spot.call);
        label.color = WorthColour(held->worth);
        double age = max_age_ms > 0 ? static_cast<double>(now_ms - held->arrived_ms) /
                                          static_cast<double>(max_age_ms)
                                    : 0.0;
        label.color.setAlphaF(
            static_cast<float>(1.0 - (1.0 - kFaintest) * std::clamp(age, 0.0, 1.0)));
        label.bold = held->worth.value == SpotValue::kMult;
        label.italic = out;
        label.newest = held == newest;
        label.tick_y = ys(held->spot.hz);
        wanted.push_back(std::max(section.scale_top, label.tick_y - line_height_ / 2));
        labels_.push_back(std::move(label));
      }
    }
    std::vector<int> placed = StackLabels(wanted, line_height_);
    for (std::size_t i = 0; i < placed.size(); ++i)
      labels_[first + i].top = placed[i];
    section.bottom = std::max(scale_bottom, placed.empty() ? 0 : placed.back() + line_height_);
    sections_.push_back(section);
    top = section.bottom + kSectionGap;
  }
  setMinimumHeight(top);
  Describe();
  update();
}

void BandMapView::ShowRadioFrequency(std::int64_t hz) {
  if (hz == radio_hz_)
    return;
  radio_hz_ = hz;
  update();
}

std::optional<int> BandMapView::YOf(std::int64_t hz) const {
  for (const Section& section : sections_) {
    const HzRange& range = section.scale.range;
    if (hz >= range.low && hz <= range.high)
      return section.scale_top + static_cast<int>((range.high - hz) * kPixelsPerKhz / 1000);
  }
  return std::nullopt;
}

std::optional<std::size_t> BandMapView::Selected() const {
  if (selected_call_.empty())
    return std::nullopt;
  for (std::size_t i = 0; i < labels_.size(); ++i) {
    const HeldSpot& held = *labels_[i].held;
    if (held.spot.call == selected_call_ && held.worth.band == selected_band_)
      return i;
  }
  return std::nullopt;
}

void BandMapView::Select(const HeldSpot* held) {
  for (std::size_t i = 0; i < labels_.size(); ++i)
    if (labels_[i].held == held)
      SelectIndex(i);
}

void BandMapView::SelectIndex(std::size_t index) {
  const BandMapLabel& label = labels_[index];
  selected_call_ = label.held->spot.call;
  selected_band_ = label.held->worth.band;
  // The view lies in a scroll area's viewport.
  if (QWidget* viewport = parentWidget())
    if (auto* area = qobject_cast<QScrollArea*>(viewport->parentWidget()))
      area->ensureVisible(kLabelX, label.top + line_height_ / 2, 0, line_height_);
  Describe();
  update();
}

void BandMapView::Describe() {
  std::optional<std::size_t> selected = Selected();
  QString description = QStringLiteral("No spot selected");
  if (selected) {
    const HeldSpot& held = *labels_[*selected].held;
    description = QStringLiteral("%1 %2 kHz, %3")
                      .arg(ToQt(held.spot.call), Khz(held.spot.hz), WorthWords(held.worth));
  }
  if (description == accessibleDescription())
    return;
  setAccessibleDescription(description);
  QAccessibleEvent changed(this, QAccessible::DescriptionChanged);
  QAccessible::updateAccessibility(&changed);
}

void BandMapView::keyPressEvent(QKeyEvent* event) {
  std::optional<std::size_t> selected = Selected();
  int key = event->key();
  if ((key == Qt::Key_Up || key == Qt::Key_Down) && event->modifiers() == Qt::NoModifier) {
    if (labels_.empty())
      return;
    bool up = key == Qt::Key_Up;
    if (!selected)
      SelectIndex(up ? labels_.size() - 1 : 0);
    else if (up && *selected > 0)
      SelectIndex(*selected - 1);
    else if (!up && *selected + 1 < labels_.size())
      SelectIndex(*selected + 1);
    return;
  }
  if ((key == Qt::Key_Return || key == Qt::Key_Enter) && selected) {
    Spot chosen = labels_[*selected].held->spot;
    Q_EMIT spotChosen(chosen);
    return;
  }
  QWidget::keyPressEvent(event);
}

void BandMapView::mousePressEvent(QMouseEvent* event) {
  int y = event->position().toPoint().y();
  auto at = std::find_if(labels_.begin(), labels_.end(), [&](const BandMapLabel& label) {
    return y >= label.top && y < label.top + line_height_;
  });
  if (at == labels_.end() || event->position().x() < kTickX)
    return QWidget::mousePressEvent(event);
  SelectIndex(static_cast<std::size_t>(at - labels_.begin()));
  Spot chosen = at->held->spot;
  Q_EMIT spotChosen(chosen);
}

void BandMapView::PaintScale(QPainter& painter, const Section& section,
                             const QRect& exposed) const {
  const HzRange& range = section.scale.range;
  int bottom = *YOf(range.low);
  painter.setPen(palette().color(QPalette::Text));
  QFont bold = font();
  bold.setBold(true);
  painter.setFont(bold);
  painter.drawText(QRect(4, section.top, width() - 8, line_height_),
                   Qt::AlignLeft | Qt::AlignVCenter, ToQt(section.scale.band));
  painter.setFont(font());
  painter.setPen(palette().color(QPalette::Mid));
  painter.drawLine(kTickX, section.scale_top, kTickX, bottom);
  // Only the ticks in the exposed rows: a band may be thousands of pixels tall.
  std::int64_t first = range.high / kTickHz * kTickHz;
  for (std::int64_t hz = first; hz >= range.low; hz -= kTickHz) {
    int y = *YOf(hz);
    if (y < exposed.top() - line_height_)
      continue;
    if (y > exposed.bottom() + line_height_)
      break;
    bool figure = hz % kFigureHz == 0;
    painter.setPen(palette().color(QPalette::Mid));
    painter.drawLine(kTickX - (figure ? 6 : 3), y, kTickX, y);
    if (figure) {
      painter.setPen(palette().color(QPalette::Text));
      painter.drawText(QRect(0, y - line_height_ / 2, kTickX - 8, line_height_),
                       Qt::AlignRight | Qt::AlignVCenter, QString::number(hz / 1000));
    }
  }
}

void BandMapView::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  const QRect exposed = event->rect();
  for (const Section& section : sections_)
    if (section.bottom >= exposed.top() && section.top <= exposed.bottom())
      PaintScale(painter, section, exposed);
  QFont fonts[2][2];
  for (int bold = 0; bold < 2; ++bold)
    for (int italic = 0; italic < 2; ++italic) {
      fonts[bold][italic] = font();
      fonts[bold][italic].setBold(bold);
      fonts[bold][italic].setItalic(italic);
    }
  std::optional<std::size_t> selected = Selected();
  // Labels only move down off their ticks, so none above the exposed rows' first one shows.
  auto first = std::lower_bound(labels_.begin(), labels_.end(), exposed.top() - line_height_,
                                [](const BandMapLabel& label, int y) { return label.top < y; });
  for (auto at = first; at != labels_.end() && at->top <= exposed.bottom(); ++at) {
    const BandMapLabel& label = *at;
    QRect row(kLabelX - 2, label.top, width() - kLabelX, line_height_);
    bool is_selected = selected && &label == &labels_[*selected];
    if (is_selected)
      painter.fillRect(row, palette().color(QPalette::Highlight));
    painter.setPen(label.color);
    painter.drawLine(kTickX, label.tick_y, kLabelX - 4, label.top + line_height_ / 2);
    const QFont& shown = fonts[label.bold][label.italic];
    painter.setFont(shown);
    if (is_selected)
      painter.setPen(palette().color(QPalette::HighlightedText));
    QRect text = row.adjusted(2, 0, 0, 0);
    painter.drawText(text, Qt::AlignLeft | Qt::AlignVCenter, label.text);
    if (label.newest) {
      int wide = QFontMetrics(shown).horizontalAdvance(label.text);
      painter.drawRect(text.left() - 2, text.top(), wide + 4, line_height_ - 1);
    }
  }
  if (std::optional<int> radio = YOf(radio_hz_)) {
    painter.setPen(QPen(QColor(0, 140, 0), 2));
    painter.drawLine(0, *radio, width(), *radio);
  }
}

}  // namespace mirva
