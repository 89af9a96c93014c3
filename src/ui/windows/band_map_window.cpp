#include "windows/band_map_window.h"

#include <QAction>
#include <QCheckBox>
#include <QGridLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScrollArea>
#include <QVBoxLayout>
#include <algorithm>
#include <chrono>

#include "session/stored_settings.h"
#include "ui_text.h"
#include "widgets/band_map_view.h"

namespace mirva {

namespace {

constexpr int kConsoleLines = 500;
constexpr std::int64_t kMarginHz = 5000;

std::int64_t NowMs() {
  return std::chrono::duration_cast<std::chrono::milliseconds>(
             std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

}  // namespace

BandMapWindow::BandMapWindow(QWidget* parent)
    : ToolWindow(kBandMapSection, QStringLiteral("Band map"), parent),
      plan_(InitialBandPlan()),
      view_(new BandMapView),
      scroll_(new QScrollArea(this)),
      console_(new QPlainTextEdit(this)),
      command_(new QLineEdit(this)) {
  setObjectName(QStringLiteral("TBandMapWin"));
  auto* filters = new QGridLayout;
  filters->setContentsMargins(0, 0, 0, 0);
  QCheckBox* boxes[] = {
      AddFilter("cbAllBands", "All bands", &BandMapFilter::all_bands),
      AddFilter("cbOwnMode", "Own mode", &BandMapFilter::own_mode),
      AddFilter("cbHideDupes", "Hide dupes", &BandMapFilter::hide_dupes),
      AddFilter("cbMultsOnly", "Mults only", &BandMapFilter::mults_only),
      AddFilter("cbOutOfBand", "Out of band", &BandMapFilter::out_of_band),
  };
  for (int i = 0; i < static_cast<int>(std::size(boxes)); ++i)
    filters->addWidget(boxes[i], i / 3, i % 3);
  scroll_->setObjectName(QStringLiteral("sbSpots"));
  scroll_->setAccessibleName(QStringLiteral("Spots"));
  scroll_->setWidget(view_);
  scroll_->setWidgetResizable(true);
  scroll_->setFocusProxy(view_);
  console_->setObjectName(QStringLiteral("mConsole"));
  console_->setAccessibleName(QStringLiteral("Cluster console"));
  console_->setReadOnly(true);
  console_->setMaximumBlockCount(kConsoleLines);
  console_->setMaximumHeight(120);
  console_->setLineWrapMode(QPlainTextEdit::NoWrap);
  command_->setObjectName(QStringLiteral("eCommand"));
  command_->setAccessibleName(QStringLiteral("Command to the cluster"));
  command_->setPlaceholderText(QStringLiteral("A command to the cluster; Enter sends it"));
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(4, 4, 4, 4);
  layout->addLayout(filters);
  layout->addWidget(scroll_, 1);
  layout->addWidget(console_);
  layout->addWidget(command_);
  resize(300, 640);
  connect(view_, &BandMapView::spotChosen, this, &BandMapWindow::Choose);
  connect(command_, &QLineEdit::returnPressed, this, &BandMapWindow::SendCommand);
  // Ctrl+Up and Ctrl+Down grab the next spot from every window, like the main bar's Alt keys;
  // the keyboard stays where it was, in the entry's callsign field.
  AddShortcut("GrabUp1", QKeySequence(Qt::CTRL | Qt::Key_Up), [this] { Grab(true); });
  AddShortcut("GrabDown1", QKeySequence(Qt::CTRL | Qt::Key_Down), [this] { Grab(false); });
  AddShortcut("MarkSpot1", QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_M), [this] { MarkByHand(); });
  // Old spots fade and, past the age limit, go.
  age_timer_.setInterval(std::chrono::seconds(10));
  connect(&age_timer_, &QTimer::timeout, this, [this] {
    map_.Expire(NowMs());
    Refresh();
  });
  age_timer_.start();
}

BandMapWindow::~BandMapWindow() = default;

QCheckBox* BandMapWindow::AddFilter(const char* name, const char* caption,
                                    bool BandMapFilter::*flag) {
  auto* box = new QCheckBox(QString::fromLatin1(caption), this);
  box->setObjectName(QString::fromLatin1(name));
  box->setAccessibleName(QString::fromLatin1(caption));
  box->setChecked(filter_.*flag);
  connect(box, &QCheckBox::toggled, this, [this, flag](bool on) {
    filter_.*flag = on;
    Refresh();
  });
  return box;
}

QAction* BandMapWindow::AddShortcut(const char* name, QKeySequence key, std::function<void()> run) {
  auto* action = new QAction(this);
  action->setObjectName(QString::fromLatin1(name));
  action->setShortcut(key);
  action->setShortcutContext(Qt::ApplicationShortcut);
  connect(action, &QAction::triggered, this, std::move(run));
  addAction(action);
  shortcuts_.push_back(action);
  return action;
}

void BandMapWindow::SetMaxAge(std::chrono::minutes age) {
  map_.SetMaxAge(std::chrono::duration_cast<std::chrono::milliseconds>(age).count());
  map_.Expire(NowMs());
  Refresh();
}

void BandMapWindow::SetBandPlan(BandPlan plan) {
  plan_ = std::move(plan);
  Refresh();
}

void BandMapWindow::AddSpots(const std::vector<Spot>& spots, const std::vector<SpotWorth>& worths,
                             const QString& source) {
  std::int64_t now = NowMs();
  std::string from = FromQt(source);
  for (std::size_t i = 0; i < spots.size(); ++i)
    map_.Add({spots[i], i < worths.size() ? worths[i] : SpotWorth{}, now, from});
  Refresh();
}

void BandMapWindow::AddConsoleLines(const QStringList& lines) {
  for (const QString& line : lines)
    console_->appendPlainText(line);
}

void BandMapWindow::ShowRadioFrequency(qint64 hz) {
  radio_hz_ = hz;
  from_hz_ = hz;
  view_->ShowRadioFrequency(hz);
  if (std::optional<int> y = view_->YOf(hz); y && isVisible())
    scroll_->ensureVisible(0, *y, 0, scroll_->viewport()->height() / 3);
}

void BandMapWindow::FollowEntry(const QString& band, const QString& mode) {
  std::string new_band = FromQt(band);
  std::string new_mode = FromQt(mode);
  if (new_band == band_ && new_mode == mode_)
    return;
  band_ = std::move(new_band);
  mode_ = std::move(new_mode);
  Refresh();
}

void BandMapWindow::LogChanged() {
  map_.Outdate();
  Refresh();
}

void BandMapWindow::QsoAdded(const std::string& call) {
  map_.OutdateAfterQso(call);
  Refresh();
}

void BandMapWindow::showEvent(QShowEvent* event) {
  ToolWindow::showEvent(event);
  if (stale_)
    Refresh();
}

std::vector<BandScale> BandMapWindow::Scales() const {
  std::vector<std::string> bands{band_};
  if (filter_.all_bands)
    for (const HeldSpot* held : visible_)
      if (std::find(bands.begin(), bands.end(), held->worth.band) == bands.end())
        bands.push_back(held->worth.band);
  std::vector<BandScale> scales;
  for (const std::string& band : bands) {
    if (band.empty())
      continue;
    if (std::optional<HzRange> edges = BandEdges(plan_, band)) {
      scales.push_back({band, *edges});
      continue;
    }
    // A band the plan does not know spans its spots.
    std::optional<HzRange> spanned;
    for (const HeldSpot* held : visible_) {
      if (held->worth.band != band)
        continue;
      if (!spanned)
        spanned = HzRange{held->spot.hz, held->spot.hz};
      spanned->low = std::min(spanned->low, held->spot.hz);
      spanned->high = std::max(spanned->high, held->spot.hz);
    }
    if (spanned)
      scales.push_back({band, {spanned->low - kMarginHz, spanned->high + kMarginHz}});
  }
  std::sort(scales.begin(), scales.end(),
            [](const BandScale& a, const BandScale& b) { return a.range.low > b.range.low; });
  return scales;
}

void BandMapWindow::Refresh() {
  // A hidden map weighs nothing again until it is shown or a key grabs a spot from it.
  stale_ = !isVisible();
  if (stale_) {
    visible_ = map_.Visible(filter_, band_, mode_);
    return;
  }
  Reweigh();
  std::vector<BandScale> scales = Scales();
  std::string top_band = scales.empty() ? std::string() : scales.front().band;
  view_->ShowSpots(visible_, scales, map_.Newest(), NowMs(), map_.MaxAge());
  // Another band shows from the radio's frequency, or else from its highest spot once one
  // is heard.
  if (top_band != shown_band_) {
    shown_band_ = top_band;
    placed_ = false;
  }
  if (!placed_) {
    int margin = scroll_->viewport()->height() / 3;
    std::optional<int> y = view_->YOf(radio_hz_);
    if (!y && !view_->Labels().empty()) {
      // As many spots as fit, from the highest down.
      scroll_->ensureVisible(0, view_->Labels().back().top, 0, margin);
      y = view_->Labels().front().top;
    }
    if (y)
      scroll_->ensureVisible(0, *y, 0, margin);
    placed_ = y.has_value();
  }
}

void BandMapWindow::Reweigh() {
  if (weigher_)
    map_.Reweigh(weigher_, filter_.all_bands ? std::string_view() : std::string_view(band_));
  visible_ = map_.Visible(filter_, band_, mode_);
}

void BandMapWindow::Grab(bool up) {
  if (stale_)
    Reweigh();
  const HeldSpot* next = NextSpot(visible_, from_hz_, up);
  if (!next)
    return;
  view_->Select(next);
  Choose(next->spot);
}

void BandMapWindow::Choose(const Spot& spot) {
  Spot chosen = spot;  // the signal's receivers may change the map that holds it
  from_hz_ = chosen.hz;
  Q_EMIT spotChosen(chosen);
}

void BandMapWindow::MarkByHand() {
  QString call = typed_call_ ? typed_call_().trimmed().toUpper() : QString();
  if (call.isEmpty() || radio_hz_ <= 0)
    return;
  Spot mark;
  mark.hz = radio_hz_;
  mark.call = FromQt(call);
  mark.by_hand = true;
  SpotWorth worth;
  if (weigher_) {
    worth = weigher_(mark);
  } else {
    worth.value = SpotValue::kQso;
    worth.band = band_;
    worth.mode = mode_;
  }
  map_.Add({mark, worth, NowMs(), "hand"});
  Refresh();
  Q_EMIT spotMarked(mark);
}

void BandMapWindow::SendCommand() {
  QString command = command_->text().trimmed();
  if (command.isEmpty())
    return;
  command_->clear();
  console_->appendPlainText(QStringLiteral("> ") + command);
  Q_EMIT commandTyped(command);
}

}  // namespace mirva
