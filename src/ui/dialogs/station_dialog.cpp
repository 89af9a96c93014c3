#include "dialogs/station_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include "guarded.h"
#include "session/session.h"
#include "ui_text.h"
#include "widgets/dialog_buttons.h"
#include "workspace/workspace.h"

namespace mirva {

namespace {

constexpr int kCountryNameWidth = 170;

/// A station text as its edit shows it: the longitude east positive, as a map reads it, where
/// the station keeps the country file's west positive.
QString ShownText(std::string TStationCFG::*member, const TStationCFG& station) {
  const std::string& text = station.*member;
  return ToQt(member == &TStationCFG::Long ? TurnedLongitude(text) : text);
}

}  // namespace

StationDialog::StationDialog(AppServices services, QWidget* parent)
    : QDialog(parent),
      services_(services),
      call_(AddEdit("eCall", &TStationCFG::Call)),
      countries_(new QComboBox(this)),
      country_name_(new QLabel(this)),
      country_(AddEdit("eCountry", &TStationCFG::Country)),
      fields_{Field{&TStationCFG::Call, call_},
              {&TStationCFG::Country, country_},
              {&TStationCFG::ITU, AddEdit("eITU", &TStationCFG::ITU)},
              {&TStationCFG::CQ, AddEdit("eCQ", &TStationCFG::CQ)},
              {&TStationCFG::Cont, AddEdit("eCont", &TStationCFG::Cont)},
              {&TStationCFG::Lat, AddEdit("eLat", &TStationCFG::Lat)},
              {&TStationCFG::Long, AddEdit("eLong", &TStationCFG::Long)},
              {&TStationCFG::State, AddEdit("eState", &TStationCFG::State)}} {
  setObjectName(QStringLiteral("TStationConfigWin"));
  setWindowTitle(QStringLiteral("Station configuration"));
  countries_->setObjectName(QStringLiteral("cbCountry"));
  country_name_->setObjectName(QStringLiteral("lblCountryName"));
  country_name_->setAccessibleName(QStringLiteral("Country name"));
  country_name_->setMinimumWidth(kCountryNameWidth);
  country_->hide();
  EditOf(&TStationCFG::Long)->setToolTip(QStringLiteral("Degrees east; west is negative"));
  BuildLayout();
  connect(call_, &QLineEdit::textEdited, this, &StationDialog::eCallChange);
  connect(countries_, &QComboBox::activated, this, &StationDialog::cbCountryChange);

  services_.session.AddListener(this);
}

StationDialog::~StationDialog() {
  services_.session.RemoveListener(this);
}

QLineEdit* StationDialog::AddEdit(const char* name, std::string TStationCFG::*member) {
  auto* edit = new QLineEdit(this);
  edit->setObjectName(QString::fromLatin1(name));
  if (member == &TStationCFG::Cont)
    edit->setMaxLength(2);
  return edit;
}

void StationDialog::BuildLayout() {
  auto* grid = new QGridLayout;
  int row = 0;
  auto add = [&](const char* caption, QWidget* control, int column, int span) {
    auto* label = new QLabel(QString::fromLatin1(caption), this);
    label->setBuddy(control);
    control->setAccessibleName(label->text());
    grid->addWidget(label, row, column);
    grid->addWidget(control, row, column + 1, 1, span);
  };
  add("Callsign", call_, 0, 3);
  ++row;
  add("Country", countries_, 0, 1);
  grid->addWidget(country_name_, row++, 2, 1, 2);
  add("ITU zone", EditOf(&TStationCFG::ITU), 0, 1);
  add("CQ zone", EditOf(&TStationCFG::CQ), 2, 1);
  ++row;
  add("Cont", EditOf(&TStationCFG::Cont), 0, 1);
  ++row;
  add("Lat.", EditOf(&TStationCFG::Lat), 0, 1);
  add("Long", EditOf(&TStationCFG::Long), 2, 1);
  ++row;
  add("State", EditOf(&TStationCFG::State), 0, 3);

  auto [buttons, save, cancel] = AddDialogButtons(*this, QStringLiteral("Save"));
  connect(buttons, &QDialogButtonBox::accepted, this, &StationDialog::Button1Click);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(grid);
  layout->addWidget(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  QWidget* order[] = {call_,
                      countries_,
                      EditOf(&TStationCFG::ITU),
                      EditOf(&TStationCFG::CQ),
                      EditOf(&TStationCFG::Cont),
                      EditOf(&TStationCFG::Lat),
                      EditOf(&TStationCFG::Long),
                      EditOf(&TStationCFG::State),
                      save,
                      cancel};
  for (std::size_t i = 1; i < std::size(order); ++i)
    setTabOrder(order[i - 1], order[i]);
}

void StationDialog::FillCountryBox() {
  countries_->clear();
  for (const TCountry& country : services_.session.countries().CountryList())
    countries_->addItem(ToQt(country.Prefix));
}

void StationDialog::ContestChanged() {
  // The contest set-up may have loaded another country file.
  FillCountryBox();
  SelectCountry(FromQt(country_->text()));
}

void StationDialog::StationChanged() {
  ShowStation(services_.session.StationCfg());
}

void StationDialog::showEvent(QShowEvent* event) {
  FillCountryBox();
  ShowStation(services_.session.StationCfg());
  if (const QScreen* shown_on = screen())
    move(shown_on->availableGeometry().center() - rect().center());
  call_->setFocus();
  QDialog::showEvent(event);
}

void StationDialog::eCallChange(const QString& text) {
  QString upper = text.toUpper();
  if (upper != text) {
    int at = call_->cursorPosition();
    call_->setText(upper);
    call_->setCursorPosition(at);
  }
  TStationCFG station = ReadControls();
  std::string name = FillStationFromCall(services_.session.countries(), FromQt(upper), station);
  ShowPlace(station, name);
  if (SelectCountry(station.Country))
    country_->setText(ToQt(station.Country));
}

void StationDialog::cbCountryChange(int index) {
  if (index < 0)
    return;
  std::string prefix = FromQt(countries_->itemText(index));
  TStationCFG station = ReadControls();
  std::string name = FillStationFromCountry(services_.session.countries(), prefix, station);
  if (station.Country != prefix)
    return;
  ShowPlace(station, name);
  country_->setText(ToQt(prefix));
}

void StationDialog::ShowStation(const TStationCFG& station) {
  for (const Field& field : fields_)
    field.edit->setText(ShownText(field.member, station));
  TStationCFG named = station;
  country_name_->setText(
      ToQt(FillStationFromCountry(services_.session.countries(), station.Country, named)));
  SelectCountry(station.Country);
}

void StationDialog::ShowPlace(const TStationCFG& station, const std::string& name) {
  country_name_->setText(ToQt(name));
  for (auto member : {&TStationCFG::ITU, &TStationCFG::CQ, &TStationCFG::Cont, &TStationCFG::Lat,
                      &TStationCFG::Long})
    EditOf(member)->setText(ShownText(member, station));
}

QLineEdit* StationDialog::EditOf(std::string TStationCFG::*member) const {
  for (const Field& field : fields_) {
    if (field.member == member)
      return field.edit;
  }
  return nullptr;
}

bool StationDialog::SelectCountry(const std::string& prefix) {
  int index = countries_->findText(ToQt(prefix), Qt::MatchExactly | Qt::MatchCaseSensitive);
  countries_->setCurrentIndex(index);
  return index >= 0;
}

TStationCFG StationDialog::ReadControls() const {
  TStationCFG station;
  for (const Field& field : fields_)
    station.*field.member = FromQt(field.edit->text());
  return station;
}

void StationDialog::Button1Click() {
  // A prefix that the country list does not hold stays as it was stored.
  if (countries_->currentIndex() >= 0)
    country_->setText(countries_->currentText());
  TStationCFG station = ReadControls();
  // The same rule as the command line's, told of the texts as typed: the refused field gets
  // the keyboard. The ranges are the same either way round.
  if (std::optional<StationProblem> problem = FindStationProblem(station)) {
    services_.notifier.ShowError(StationRefusal(station));
    QLineEdit* edit = EditOf(problem->field);
    edit->setFocus();
    edit->selectAll();
    return;
  }
  station.Long = TurnedLongitude(station.Long);
  if (Guarded(services_.notifier, [&] { services_.workspace.ChangeStation(station); }))
    accept();
}

}  // namespace mirva
