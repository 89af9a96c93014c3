#include "dialogs/edit_qso_dialog.h"

#include <QComboBox>
#include <QDateEdit>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <chrono>

#include "guarded.h"
#include "log/date_value.h"
#include "log/input_rule.h"
#include "reference/callsign.h"
#include "session/session.h"
#include "ui_text.h"
#include "widgets/dialog_buttons.h"

namespace mirva {

namespace {

/// A date field that Tab leaves at once, as every other field: day, month and year are
/// chosen with the arrow keys and the cursor instead.
class DateField : public QDateEdit {
 public:
  using QDateEdit::QDateEdit;

 protected:
  bool focusNextPrevChild(bool next) override { return QWidget::focusNextPrevChild(next); }
};

void Fill(QComboBox* list, const std::vector<std::string>& items, int selected) {
  list->clear();
  for (const std::string& item : items)
    list->addItem(ToQt(item));
  list->setCurrentIndex(selected);
}

}  // namespace

EditQsoDialog::EditQsoDialog(AppServices services, QWidget* parent)
    : QDialog(parent),
      services_(services),
      eDate_(new DateField(this)),
      eTime_(AddEdit("eTime", static_cast<int>(kTimeSlot.capacity), false)),
      eCall_(AddEdit("eCall", static_cast<int>(kCallInput.capacity), true)),
      eRST_S_(AddEdit("eRST_S", static_cast<int>(kRprtSentInput.capacity), true)),
      eSent_(AddEdit("eSent", static_cast<int>(kNumberSentInput.capacity), true)),
      eRst_R_(AddEdit("eRst_R", static_cast<int>(kRprtRcvdInput.capacity), true)),
      eRcvd_(AddEdit("eRcvd", static_cast<int>(kNumberRcvdInput.capacity), true)),
      eNote_(AddEdit("eNote", static_cast<int>(kNoteInput.capacity), false)),
      cbMode_(new QComboBox(this)),
      cbBand_(new QComboBox(this)) {
  setObjectName(QStringLiteral("TEditQSOWin"));
  setWindowTitle(QStringLiteral("Edit QSO"));
  eDate_->setObjectName(QStringLiteral("eDate"));
  eDate_->setDisplayFormat(QLocale().dateFormat(QLocale::ShortFormat));
  eDate_->setDateRange(QDate(1, 1, 1), QDate(9999, 12, 31));
  eDate_->setCalendarPopup(true);
  cbMode_->setObjectName(QStringLiteral("cbMode"));
  cbBand_->setObjectName(QStringLiteral("cbBand"));
  setWindowModality(Qt::ApplicationModal);
  BuildLayout();
  connect(this, &QDialog::finished, this, [this] { index_.reset(); });
  services_.session.AddListener(this);
}

EditQsoDialog::~EditQsoDialog() {
  services_.session.RemoveListener(this);
}

QLineEdit* EditQsoDialog::AddEdit(const char* name, int capacity, bool upper) {
  auto* edit = new QLineEdit(this);
  edit->setObjectName(QString::fromLatin1(name));
  edit->setMaxLength(capacity);
  if (upper) {
    connect(edit, &QLineEdit::textEdited, edit, [edit](const QString& text) {
      int at = edit->cursorPosition();
      edit->setText(text.toUpper());
      edit->setCursorPosition(at);
    });
  }
  return edit;
}

void EditQsoDialog::BuildLayout() {
  auto* form = new QFormLayout;
  QWidget* path[] = {eDate_,  eTime_, cbMode_, cbBand_, eCall_,
                     eRST_S_, eSent_, eRst_R_, eRcvd_,  eNote_};
  const char* captions[] = {"&Date",     "&Time", "&Mode",     "&Band", "&Callsign",
                            "R&ST sent", "S&ent", "RS&T rcvd", "&Rcvd", "&Note"};
  for (std::size_t i = 0; i < std::size(path); ++i) {
    auto* label = new QLabel(QString::fromLatin1(captions[i]), this);
    label->setBuddy(path[i]);
    path[i]->setAccessibleName(label->text().remove(QLatin1Char('&')));
    form->addRow(label, path[i]);
  }
  eNote_->setMinimumWidth(eNote_->fontMetrics().horizontalAdvance(QLatin1Char('M')) * 24);
  auto [buttons, save, cancel] = AddDialogButtons(*this, QStringLiteral("Save"));
  connect(buttons, &QDialogButtonBox::accepted, this, &EditQsoDialog::Button1Click);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addWidget(buttons);
  for (std::size_t i = 1; i < std::size(path); ++i)
    setTabOrder(path[i - 1], path[i]);
  setTabOrder(eNote_, save);
  setTabOrder(save, cancel);
}

void EditQsoDialog::EditQSO(std::size_t index) {
  const Session& session = services_.session;
  if (index >= session.log().QSOLog().size() || !session.HasContest())
    return;
  index_ = index;
  TQSOData qso = session.log().QSOLog()[index];
  const TContest& contest = session.Contest();
  Fill(cbMode_, contest.Modes, ModeIndex(contest.Modes, qso.Mode));
  Fill(cbBand_, contest.Bands, BandIndex(contest.Bands, qso.Band));
  eDate_->setDate(ToQDate(qso.QSODate));
  eTime_->setText(ToQt(qso.QSOTime));
  eCall_->setText(ToQt(qso.Call));
  eRST_S_->setText(ToQt(qso.RprtSent));
  eSent_->setText(ToQt(qso.NumberSent));
  eRst_R_->setText(ToQt(qso.RprtRcvd));
  eRcvd_->setText(ToQt(qso.NumberRcvd));
  eNote_->setText(ToQt(qso.Note));
  eDate_->setFocus();
  setResult(0);
  show();
}

bool EditQsoDialog::Take(QLineEdit* edit, const InputField& field, std::string& into) {
  CheckedInput input = CheckInput(field, edit->text().toStdString());
  if (input.fault != InputFault::kNone && input.fault != InputFault::kTooLong) {
    services_.notifier.ShowError("The QSO is not saved: " + input.message + ".");
    edit->setFocus();
    return false;
  }
  into = std::move(input.text);
  return true;
}

std::optional<TQSOData> EditQsoDialog::Edited() {
  TQSOData qso;
  qso.QSODate = FromQDate(eDate_->date());
  std::optional<std::string> time = ParseTimeOfDay(FromQt(eTime_->text()));
  if (!time) {
    services_.notifier.ShowError("The QSO is not saved: the time '" + FromQt(eTime_->text()) +
                                 "' is not a time of day written hh:nn.");
    eTime_->setFocus();
    return std::nullopt;
  }
  qso.QSOTime = *time;
  struct Typed {
    QLineEdit* edit;
    const InputField& field;
    std::string& into;
  };
  const Typed typed[] = {
      {eCall_, kCallInput, qso.Call},
      {eRST_S_, kRprtSentInput, qso.RprtSent},
      {eSent_, kNumberSentInput, qso.NumberSent},
      {eRst_R_, kRprtRcvdInput, qso.RprtRcvd},
      {eRcvd_, kNumberRcvdInput, qso.NumberRcvd},
      {eNote_, kNoteInput, qso.Note},
  };
  for (const Typed& t : typed) {
    if (!Take(t.edit, t.field, t.into))
      return std::nullopt;
  }
  qso.Mode = FromQt(cbMode_->currentText());
  qso.Band = FromQt(cbBand_->currentText());
  return qso;
}

void EditQsoDialog::Button1Click() {
  if (!index_)
    return;
  std::optional<TQSOData> qso = Edited();
  if (!qso || !index_)
    return;
  saving_ = true;
  bool saved = Guarded(services_.notifier, [&] { services_.session.EditQso(*index_, *qso); });
  saving_ = false;
  if (saved)
    accept();
}

void EditQsoDialog::QsoChanged(std::size_t index) {
  if (!saving_ && index_ == index)
    DropEdit();
}

void EditQsoDialog::LogReplaced() {
  if (!saving_)
    DropEdit();
}

void EditQsoDialog::DropEdit() {
  if (!index_)
    return;
  std::size_t shown = *index_;
  reject();
  // Told once the change that closed the window is over, never from inside it.
  QMetaObject::invokeMethod(
      this,
      [this, shown] {
        services_.notifier.ShowMessage(
            "The log changed while QSO " + std::to_string(shown + 1) +
            " was open in \"Edit QSO\", so the edit was not saved. Open the QSO again to edit "
            "it.");
      },
      Qt::QueuedConnection);
}

}  // namespace mirva
