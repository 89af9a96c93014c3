#include "windows/entry_window.h"

#include <QComboBox>
#include <QDate>
#include <QGridLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTableWidget>
#include <algorithm>
#include <chrono>
#include <utility>

#include "focus_keeper.h"
#include "guarded.h"
#include "link/cw_sequences.h"
#include "link/macro_codes.h"
#include "link/message_bus.h"
#include "log/date_value.h"
#include "session/session.h"
#include "session/stored_settings.h"
#include "stored_state.h"
#include "ui_text.h"
#include "widgets/field_input_validator.h"
#include "widgets/speed_keys.h"
#include "widgets/value_label.h"
#include "workspace/workspace.h"

namespace mirva {

namespace {

constexpr int kClockInterval = 1000;
constexpr int kMultColumnWidth = 34;
constexpr int kMultNameWidth = 60;

/// Shows the text, keeping the caret where it was when the text differs.
void SetText(QLineEdit* edit, const std::string& cp1251) {
  QString text = ToQt(cp1251);
  if (edit->text() == text)
    return;
  int caret = edit->cursorPosition();
  edit->setText(text);
  edit->setCursorPosition(std::min(caret, static_cast<int>(text.size())));
}

void Select(QComboBox* list, const std::string& cp1251) {
  QSignalBlocker quiet(list);
  list->setCurrentIndex(list->findText(ToQt(cp1251)));
}

/// A label with the text that names its control to a screen reader too.
QLabel* Caption(const char* text, QWidget* buddy, QWidget* parent) {
  auto* label = new QLabel(QString::fromLatin1(text), parent);
  label->setBuddy(buddy);
  buddy->setAccessibleName(QString::fromLatin1(text).remove(QLatin1Char('&')));
  return label;
}

QLabel* StatusLabel(const char* name, const char* text, QWidget* parent) {
  auto* label = new QLabel(QString::fromLatin1(text), parent);
  label->setObjectName(QString::fromLatin1(name));
  return label;
}

ValueLabel* StatusValue(const char* name, const char* caption, const char* text, QWidget* parent) {
  auto* label = new ValueLabel(QString::fromLatin1(caption), QString::fromLatin1(text), parent);
  label->setObjectName(QString::fromLatin1(name));
  return label;
}

bool IsEnter(const QKeyEvent& key) {
  return key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter;
}

}  // namespace

EntryWindow::EntryWindow(AppServices services, QWidget* parent)
    : ToolWindow(kEntrySection, QStringLiteral("New QSO"), parent),
      services_(services),
      entry_(services.session, services.clock, &services.entry_file) {
  setObjectName(QStringLiteral("TNewQSOWin"));
  BuildControls();
  BuildLayout();
  ConnectEdits();
  connect(&clock_timer_, &QTimer::timeout, this, &EntryWindow::rcUTCGetTime);
  clock_timer_.start(kClockInterval);
  rcUTCGetTime();
  services_.session.AddListener(this);
}

EntryWindow::~EntryWindow() {
  services_.session.RemoveListener(this);
}

void EntryWindow::StoreBandMode() {
  // Written at each change, so that a restart after a crash finds the band in use.
  Guarded(services_.notifier,
          [&] { services_.workspace.SetEntryBandMode(entry_.Band, entry_.Mode); });
}

QLineEdit* EntryWindow::AddEdit(const char* name, const InputField* field, bool upper_case) {
  auto* edit = new QLineEdit(this);
  edit->setObjectName(QString::fromLatin1(name));
  if (field) {
    edit->setValidator(new FieldInputValidator(*field, upper_case, edit));
    edit->setMaxLength(static_cast<int>(field->capacity));
  }
  edit->installEventFilter(this);
  return edit;
}

void EntryWindow::BuildControls() {
  eDate_ = AddEdit("eDate", nullptr, false);
  eTime_ = AddEdit("eTime", nullptr, false);
  eDate_->setEnabled(false);
  eTime_->setEnabled(false);
  rcUTC_ = StatusLabel("rcUTC", "", this);
  QFont clock_font = rcUTC_->font();
  clock_font.setPointSizeF(clock_font.pointSizeF() * 1.6);
  clock_font.setBold(true);
  rcUTC_->setFont(clock_font);
  rcUTC_->setAccessibleName(QStringLiteral("UTC"));
  cbMode_ = new QComboBox(this);
  cbMode_->setObjectName(QStringLiteral("cbMode"));
  cbMode_->installEventFilter(this);
  cbBand_ = new QComboBox(this);
  cbBand_->setObjectName(QStringLiteral("cbBand"));
  cbBand_->installEventFilter(this);
  eCall_ = AddEdit("eCall", &kCallInput, true);
  eRST_S_ = AddEdit("eRST_S", &kRprtSentInput, false);
  eSent_ = AddEdit("eSent", &kNumberSentInput, true);
  eRST_R_ = AddEdit("eRST_R", &kRprtRcvdInput, false);
  eRcvd_ = AddEdit("eRcvd", &kNumberRcvdInput, true);
  eNote_ = AddEdit("eNote", &kNoteInput, false);
  eRST_S_->setText(QStringLiteral("599"));
  eRST_R_->setText(QStringLiteral("599"));
  bSave_ = new QPushButton(QStringLiteral("&Save"), this);
  bSave_->setObjectName(QStringLiteral("bSave"));
  bSave_->setAccessibleName(QStringLiteral("Save"));
  bSave_->installEventFilter(this);
  ClearButton_ = new QPushButton(QStringLiteral("&Clear"), this);
  ClearButton_->setObjectName(QStringLiteral("ClearButton"));
  ClearButton_->setAccessibleName(QStringLiteral("Clear"));
  ClearButton_->installEventFilter(this);
  CountryLbl_ = StatusValue("CountryLbl", "Country", "???", this);
  ContLbl_ = StatusValue("ContLbl", "Cont", "??", this);
  ITULbl_ = StatusValue("ITULbl", "ITU", "??", this);
  CQLbl_ = StatusValue("CQLbl", "CQ", "??", this);
  HeadLbl_ = StatusValue("HeadLbl", "Head", "???", this);
  lblWarning_ = StatusLabel("lblWarning", "", this);
  QPalette warning = lblWarning_->palette();
  warning.setColor(QPalette::WindowText, Qt::red);
  lblWarning_->setPalette(warning);
  // A long warning never widens the window, and an empty one keeps its line.
  lblWarning_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
  lblWarning_->setFixedHeight(lblWarning_->fontMetrics().height());
  lblWarning_->setAccessibleName(QStringLiteral("Exchange warning"));
  lblHistory_ = StatusLabel("lblHistory", "", this);
  lblHistory_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
  lblHistory_->setFixedHeight(lblHistory_->fontMetrics().height());
  lblHistory_->setAccessibleName(QStringLiteral("Call history"));
  lblStatus_ = StatusLabel("lblStatus", "", this);
  QFont bold = lblStatus_->font();
  bold.setBold(true);
  lblStatus_->setFont(bold);
  // The line keeps its height when empty, so that nothing below it moves as calls are typed.
  lblStatus_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
  lblStatus_->setFixedHeight(lblStatus_->fontMetrics().height());
  sgMults_ = new QTableWidget(this);
  sgMults_->setObjectName(QStringLiteral("sgMults"));
  sgMults_->setAccessibleName(QStringLiteral("Multipliers"));
  sgMults_->setEnabled(false);
  sgMults_->horizontalHeader()->hide();
  sgMults_->verticalHeader()->hide();
  sgMults_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  sgMults_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  sgMults_->verticalHeader()->setDefaultSectionSize(sgMults_->fontMetrics().height() + 4);
  sgMults_->horizontalHeader()->setDefaultSectionSize(kMultColumnWidth);
  sgMults_->setSizeAdjustPolicy(QAbstractScrollArea::AdjustToContents);
  sgMults_->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred);
  // The least the grid makes do with is the same for every contest: the names and one row.
  sgMults_->setMinimumSize(
      kMultNameWidth + 2 * sgMults_->frameWidth(),
      sgMults_->verticalHeader()->defaultSectionSize() + 2 * sgMults_->frameWidth());
}

void EntryWindow::BuildLayout() {
  auto* grid = new QGridLayout(this);
  grid->setContentsMargins(6, 6, 6, 6);
  grid->setHorizontalSpacing(4);
  grid->setVerticalSpacing(3);
  grid->addWidget(Caption("Date", eDate_, this), 0, 0);
  grid->addWidget(eDate_, 1, 0);
  grid->addWidget(Caption("Time", eTime_, this), 0, 1);
  grid->addWidget(eTime_, 1, 1);
  grid->addWidget(rcUTC_, 0, 2, 2, 1, Qt::AlignCenter);
  grid->addWidget(Caption("&Mode", cbMode_, this), 0, 3);
  grid->addWidget(cbMode_, 1, 3);
  grid->addWidget(Caption("&Band", cbBand_, this), 0, 4);
  grid->addWidget(cbBand_, 1, 4);
  int column = 0;
  for (auto [text, edit] : {std::pair{"Ca&llsign", eCall_},
                            {"RST sent", eRST_S_},
                            {"Sent", eSent_},
                            {"RST rcvd", eRST_R_},
                            {"&Rcvd", eRcvd_}}) {
    grid->addWidget(Caption(text, edit, this), 2, column);
    grid->addWidget(edit, 3, column++);
  }
  grid->addWidget(lblStatus_, 4, 0, 1, 3);
  grid->addWidget(lblHistory_, 4, 3, 1, 2);
  grid->addWidget(Caption("&Note", eNote_, this), 5, 0);
  grid->addWidget(eNote_, 5, 1, 1, 2);
  grid->addWidget(bSave_, 5, 3);
  grid->addWidget(ClearButton_, 5, 4);
  auto* status = new QHBoxLayout;
  status->setSpacing(4);
  for (auto [name, text, value] : {std::tuple{"Label1", "Country:", CountryLbl_},
                                   {"Label3", "Cont:", ContLbl_},
                                   {"Label7", "ITU", ITULbl_},
                                   {"Label9", "CQ", CQLbl_},
                                   {"Label4", "Head:", HeadLbl_}}) {
    status->addWidget(StatusLabel(name, text, this));
    status->addWidget(value);
    status->addSpacing(8);
  }
  status->addStretch();
  grid->addLayout(status, 6, 0, 1, 5);
  grid->addWidget(lblWarning_, 7, 0, 1, 5);
  grid->addWidget(sgMults_, 8, 0, 1, 5, Qt::AlignLeft);
  // A window made taller keeps its rows together and the room below them.
  grid->setRowStretch(9, 1);
  for (int c = 0; c < 5; ++c)
    grid->setColumnStretch(c, c == 0 || c == 4 ? 2 : 1);
  QWidget* path[] = {eDate_, eTime_,  cbMode_, cbBand_, eCall_, eRST_S_,
                     eSent_, eRST_R_, eRcvd_,  eNote_,  bSave_, ClearButton_};
  for (std::size_t i = 1; i < std::size(path); ++i)
    setTabOrder(path[i - 1], path[i]);
}

void EntryWindow::ConnectEdits() {
  connect(eCall_, &QLineEdit::textEdited, this, &EntryWindow::eCallChange);
  connect(eRcvd_, &QLineEdit::textEdited, this, &EntryWindow::eRcvdChange);
  connect(eRST_S_, &QLineEdit::textEdited, this, [this](const QString& text) {
    entry_.RprtSent = FromQt(text);
    FieldChanged(EntryField::kRprtSent);
  });
  connect(eSent_, &QLineEdit::textEdited, this, [this](const QString& text) {
    entry_.NumberSent = FromQt(text);
    FieldChanged(EntryField::kNumberSent);
  });
  connect(eRST_R_, &QLineEdit::textEdited, this, [this](const QString& text) {
    entry_.RprtRcvd = FromQt(text);
    FieldChanged(EntryField::kRprtRcvd);
  });
  connect(eNote_, &QLineEdit::textEdited, this,
          [this](const QString& text) { entry_.Note = FromQt(text); });
  connect(cbMode_, &QComboBox::currentIndexChanged, this, &EntryWindow::cbModeChange);
  connect(cbBand_, &QComboBox::currentIndexChanged, this, &EntryWindow::cbBandChange);
  connect(bSave_, &QPushButton::clicked, this, &EntryWindow::bSaveClick);
  connect(ClearButton_, &QPushButton::clicked, this, &EntryWindow::ClearButtonClick);
}

template <typename Operation>
bool EntryWindow::Apply(Operation&& operation) {
  bool done = Guarded(services_.notifier, std::forward<Operation>(operation));
  ShowEntry();
  return done;
}

void EntryWindow::FormActivate() {
  Session& session = services_.session;
  if (!session.HasContest())
    return;
  if (!band_mode_restored_) {
    // The band and mode the log was last worked on, when the contest has them.
    entry_.Band = services_.workspace.settings().band;
    entry_.Mode = services_.workspace.settings().mode;
    band_mode_restored_ = true;
  }
  entry_.Activate();
  const TContest& contest = session.Contest();
  if (cbMode_->count() == 0) {
    QSignalBlocker quiet(cbMode_);
    for (const std::string& mode : contest.Modes)
      cbMode_->addItem(ToQt(mode));
  }
  if (cbBand_->count() == 0) {
    QSignalBlocker quiet(cbBand_);
    for (const std::string& band : contest.Bands)
      cbBand_->addItem(ToQt(band));
  }
  ShowEntry();
}

void EntryWindow::EmptyLists() {
  QSignalBlocker quiet_mode(cbMode_);
  QSignalBlocker quiet_band(cbBand_);
  cbMode_->clear();
  cbBand_->clear();
}

void EntryWindow::ShowNextSent() {
  entry_.NumberSent.clear();
  Apply([&] { entry_.NumberSent = services_.session.NextSentExchange(entry_.Band); });
}

void EntryWindow::PublishEntry() {
  Guarded(services_.notifier, [&] { entry_.Publish(kEntryAll); });
}

void EntryWindow::bSaveClick() {
  SaveOutcome outcome = SaveOutcome::kNoCall;
  // A save that fails keeps the entry as typed, for another try.
  if (Apply([&] { outcome = entry_.Save(); }))
    ShowSave(outcome);
}

void EntryWindow::ShowSave(SaveOutcome outcome) {
  if (outcome == SaveOutcome::kNotConfirmed) {
    eRcvd_->setFocus();
    return;
  }
  eCall_->setFocus();
  if (!IsLogged(outcome))
    return;
  Q_EMIT workedCallsChanged(entry_.view.Worked);
  Q_EMIT previousQsosCleared();
}

void EntryWindow::ClearButtonClick() {
  Apply([&] { entry_.Clear(); });
  Q_EMIT workedCallsChanged(entry_.view.Worked);
  Q_EMIT previousQsosCleared();
  eCall_->setFocus();
}

void EntryWindow::FollowLog() {
  Apply([&] { entry_.LogChanged(); });
  Q_EMIT workedCallsChanged(entry_.view.Worked);
}

void EntryWindow::PutCall(const QString& call) {
  eCall_->setText(call);
  eCallChange();
  FocusCall();
}

QWidget* EntryWindow::CallField() const {
  return eCall_;
}

void EntryWindow::FocusCall() {
  FocusKeeper::GiveFocus(eCall_);
  eCall_->end(false);
}

void EntryWindow::FollowRadio(const QString& band, const QString& mode) {
  // A new index runs the list's change handler: status, worked calls and grid follow.
  for (auto [list, text] : {std::pair{cbMode_, mode}, std::pair{cbBand_, band}}) {
    int index = text.isEmpty() ? -1 : list->findText(text);
    if (index >= 0)
      list->setCurrentIndex(index);
  }
}

void EntryWindow::eCallChange() {
  entry_.Call = FromQt(eCall_->text());
  FieldChanged(EntryField::kCall);
}

void EntryWindow::eCallExit() {
  Apply([&] { entry_.CallExited(); });
  Q_EMIT previousQsosShown();
}

void EntryWindow::eRcvdChange() {
  entry_.NumberRcvd = FromQt(eRcvd_->text());
  FieldChanged(EntryField::kNumberRcvd);
}

void EntryWindow::cbModeChange() {
  entry_.Mode = FromQt(cbMode_->currentText());
  StoreBandMode();
  FieldChanged(EntryField::kMode);
}

void EntryWindow::cbBandChange() {
  entry_.Band = FromQt(cbBand_->currentText());
  StoreBandMode();
  FieldChanged(EntryField::kBand);
}

void EntryWindow::FieldChanged(EntryField field) {
  Apply([&] { entry_.FieldChanged(field); });
  ShowChange(field);
}

void EntryWindow::ShowChange(EntryField field) {
  if (field == EntryField::kCall || field == EntryField::kBand || field == EntryField::kMode)
    Q_EMIT workedCallsChanged(entry_.view.Worked);
  if (field == EntryField::kCall)
    Q_EMIT previousQsosCleared();
}

void EntryWindow::rcUTCGetTime() {
  UtcTime now = services_.clock.Now();
  QString time = ToQt(now.time);
  rcUTC_->setText(time);
  eTime_->setText(time);
  eDate_->setText(QLocale().toString(ToQDate(now.date), QLocale::ShortFormat));
}

void EntryWindow::ShowEntry() {
  SetText(eCall_, entry_.Call);
  SetText(eRST_S_, entry_.RprtSent);
  SetText(eSent_, entry_.NumberSent);
  SetText(eRST_R_, entry_.RprtRcvd);
  SetText(eRcvd_, entry_.NumberRcvd);
  SetText(eNote_, entry_.Note);
  Select(cbMode_, entry_.Mode);
  Select(cbBand_, entry_.Band);
  const EntryView& view = entry_.view;
  CountryLbl_->SetValue(ToQt(view.Country));
  ContLbl_->SetValue(ToQt(view.Cont));
  ITULbl_->SetValue(ToQt(view.ITU));
  CQLbl_->SetValue(ToQt(view.CQ));
  QString warning = ToQt(view.Warning);
  if (lblWarning_->text() != warning) {
    lblWarning_->setText(warning);
    lblWarning_->setToolTip(warning);
    lblWarning_->setAccessibleDescription(warning);
  }
  ShowStatusLine();
  ShowHistoryLine();
  QPalette note = palette();
  if (view.Dupe)
    note.setColor(QPalette::Text, Qt::red);
  eNote_->setPalette(note);
  ShowMults();
}

void EntryWindow::ShowCallHistory(const QString& summary) {
  history_summary_ = summary;
  entry_.ShowHistory();
  ShowHistoryLine();
}

void EntryWindow::ShowHistoryLine() {
  const EntryView& view = entry_.view;
  QString text = ToQt(view.HistoryName);
  if (!view.HistoryText.empty())
    text += (text.isEmpty() ? QString() : QStringLiteral(" - ")) + ToQt(view.HistoryText);
  if (entry_.Call.size() < 2)
    text = history_summary_;
  if (lblHistory_->text() == text)
    return;
  lblHistory_->setText(text);
  lblHistory_->setToolTip(text);
  lblHistory_->setAccessibleDescription(text);
}

void EntryWindow::ShowStatusLine() {
  QString status = ToQt(entry_.StatusLine());
  if (lblStatus_->text() == status)
    return;
  QPalette colours = lblStatus_->palette();
  colours.setColor(QPalette::WindowText, entry_.view.Dupe ? QColor(Qt::red) : QColor(0, 128, 0));
  lblStatus_->setPalette(colours);
  // Without an accessible name of its own the label is named by its text, and each new text
  // is announced to a screen reader as a change of the name.
  lblStatus_->setText(status);
}

void EntryWindow::ShowMults() {
  const std::vector<MultRow>& rows = entry_.view.Mults;
  int bands = cbBand_->count();
  sgMults_->setRowCount(static_cast<int>(rows.size()) + 1);
  sgMults_->setColumnCount(bands + 1);
  sgMults_->setColumnWidth(0, kMultNameWidth);
  auto cell = [this](int row, int column) {
    QTableWidgetItem* item = sgMults_->item(row, column);
    if (!item) {
      item = new QTableWidgetItem;
      item->setTextAlignment(column == 0 ? Qt::AlignLeft | Qt::AlignVCenter : Qt::AlignCenter);
      // The grid is disabled, which would grey the captions and names.
      item->setForeground(QColor(Qt::black));
      sgMults_->setItem(row, column, item);
    }
    return item;
  };
  for (int b = 0; b < bands; ++b)
    cell(0, b + 1)->setText(cbBand_->itemText(b));
  QFont bold = sgMults_->font();
  bold.setBold(true);
  for (int r = 1; r <= static_cast<int>(rows.size()); ++r) {
    const MultRow& row = rows[static_cast<std::size_t>(r - 1)];
    cell(r, 0)->setText(ToQt(row.Name));
    for (int b = 0; b < bands; ++b) {
      char mark =
          b < static_cast<int>(row.Bands.size()) ? row.Bands[static_cast<std::size_t>(b)] : ' ';
      QTableWidgetItem* item = cell(r, b + 1);
      item->setText(mark == ' ' ? QString() : QString(QLatin1Char(mark)));
      item->setForeground(mark == '!' ? QColor(Qt::red) : QColor(Qt::black));
      item->setFont(mark == '!' ? bold : sgMults_->font());
    }
  }
  int height = sgMults_->rowCount() * sgMults_->verticalHeader()->defaultSectionSize();
  int width = kMultNameWidth + bands * kMultColumnWidth;
  // The grid asks for room for all its cells but makes do with less, so that more bands or
  // multipliers never make the window grow by itself.
  sgMults_->setMaximumSize(width + 2 * sgMults_->frameWidth(), height + 2 * sgMults_->frameWidth());
}

void EntryWindow::FocusAtEnd(QLineEdit* edit) {
  edit->setFocus();
  edit->end(false);
}

void EntryWindow::EnterRcvd() {
  // Leaving the callsign may propose the exchange, so the proposal is judged after the move.
  eRcvd_->setFocus();
  if (entry_.RcvdIsProposed())
    eRcvd_->selectAll();
  else
    eRcvd_->end(false);
}

void EntryWindow::showEvent(QShowEvent* event) {
  ToolWindow::showEvent(event);
  FocusAtEnd(eCall_);
}

bool EntryWindow::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress)
    return WindowKey(watched, static_cast<const QKeyEvent&>(*event));
  if (watched == eCall_ && event->type() == QEvent::FocusOut) {
    // Only a move to another control of this window leaves the field.
    Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
    if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
      eCallExit();
  }
  return ToolWindow::eventFilter(watched, event);
}

bool EntryWindow::WindowKey(QObject* watched, const QKeyEvent& key) {
  QString text = key.text();
  if (key.key() == Qt::Key_Escape) {
    services_.bus.Broadcast(kMacroMessage, kEscMacro, 0);
    return false;
  }
  if (std::string_view speed = SpeedKeySequence(key); !speed.empty()) {
    PutSequence(services_.tx, speed);
    return true;
  }
  if (text == QLatin1String("`") || text == QLatin1String("~") || key.key() == Qt::Key_Pause) {
    ClearButtonClick();
    return true;
  }
  if (text == QLatin1String(";") || text == QLatin1String(":")) {
    bool completed = false;
    Apply([&] { completed = entry_.CompleteFromWorked(); });
    if (completed) {
      Q_EMIT workedCallsChanged(entry_.view.Worked);
      Q_EMIT previousQsosCleared();
      EnterRcvd();
    }
    return true;
  }
  if (watched == eCall_ && (IsEnter(key) || key.key() == Qt::Key_Space)) {
    EnterRcvd();
    return true;
  }
  if (watched == eRcvd_ && key.key() == Qt::Key_Space) {
    FocusAtEnd(eCall_);
    return true;
  }
  if (watched == eRcvd_ && IsEnter(key)) {
    bSaveClick();
    return true;
  }
  return false;
}

void EntryWindow::FieldSet(EntryField field) {
  ShowEntry();
  ShowChange(field);
  if (field == EntryField::kCall)
    EnterRcvd();
}

void EntryWindow::SaveEnded(SaveOutcome outcome) {
  ShowEntry();
  ShowSave(outcome);
}

std::optional<CommandReply> EntryWindow::RunCompanionCommand(long wparam, long lparam) {
  std::optional<CommandReply> reply;
  Guarded(services_.notifier,
          [&] { reply = RunEntryCommand(services_.session, entry_, wparam, lparam, this); });
  ShowEntry();
  return reply;
}

}  // namespace mirva
