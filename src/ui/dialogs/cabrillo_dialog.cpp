#include "dialogs/cabrillo_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "dialogs/cabrillo_problems_dialog.h"
#include "dialogs/report_preview_dialog.h"
#include "guarded.h"
#include "program_version.h"
#include "reports/cabrillo_check.h"
#include "reports/cabrillo_v3.h"
#include "session/session.h"
#include "ui_text.h"
#include "widgets/dialog_buttons.h"
#include "widgets/report_fields.h"
#include "workspace/workspace.h"

namespace mirva {

CabrilloDialog::CabrilloDialog(AppServices services, QWidget* parent)
    : QDialog(parent),
      services_(services),
      ContestNameLbl_(NewContestNameLabel(this, true)),
      eCall_(NewHeaderEdit(this, "eCall")),
      eName_(NewHeaderEdit(this, "eName")),
      cbARRL_(
          AddBox("cbARRL",
                 {"DX",  "AB",  "AK",  "AL",  "AR",  "AZ",  "BC",  "CO",  "CT", "DE",  "EB", "EM",
                  "ENY", "EP",  "EW",  "GA",  "IA",  "ID",  "IL",  "IN",  "KS", "KY",  "LA", "LAX",
                  "MAR", "MB",  "MDC", "ME",  "MI",  "MN",  "MO",  "MS",  "MT", "NC",  "ND", "NE",
                  "NFL", "NH",  "NL",  "NLI", "NM",  "NNJ", "NNY", "NTX", "NV", "NWT", "OH", "OK",
                  "ON",  "OR",  "ORG", "PAC", "PR",  "QC",  "RI",  "SB",  "SC", "SCV", "SD", "SDG",
                  "SF",  "SFL", "SJV", "SK",  "SNJ", "STX", "SV",  "TN",  "UT", "VA",  "VI", "VT",
                  "WCF", "WI",  "WMA", "WNY", "WPA", "WTX", "WV",  "WWA", "WY"})),
      cbOperators_(
          AddBox("cbOperators", {"SINGLE-OP", "SINGLE-OP-ASSISTED", "MULTI-ONE", "MULTI-TWO",
                                 "MULTI-MULTI", "SCHOOL-CLUB ", "SINGLE-OP-QRP-PORTABLE", "ROVER",
                                 "MULTI-LIMITED", "MULTI-UNLIMITED", "CHECKLOG."})),
      cbBands_(
          AddBox("cbBands", {"", "ALL", "160M", "80M", "40M", "20M", "15M", "10M", "LIMITED"})),
      cbPower_(AddBox("cbPower", {"", "HIGH", "LOW", "QRP"})),
      cbMode_(AddBox("cbMode", {"", "CW", "SSB", "MIXED"})),
      eClub_(NewHeaderEdit(this, "eClub")),
      eOperators_(NewHeaderEdit(this, "eOperators")),
      mAddress_(NewHeaderMemo(this, "mAddress")),
      mSoapbox_(NewHeaderMemo(this, "mSoapbox")),
      cbCabrillo3_(new QCheckBox(QStringLiteral("Cabrillo 3.0"), this)),
      eLocation_(NewHeaderEdit(this, "eLocation")),
      cbOverlay_(AddBox("cbOverlay", {"", "CLASSIC", "ROOKIE", "TB-WIRES", "YOUTH", "NOVICE-TECH",
                                      "YL", "OVER-50"})),
      eEmail_(NewHeaderEdit(this, "eEmail")),
      eCity_(NewHeaderEdit(this, "eCity")),
      eStateProvince_(NewHeaderEdit(this, "eStateProvince")),
      ePostalCode_(NewHeaderEdit(this, "ePostalCode")),
      eCountry_(NewHeaderEdit(this, "eCountry")),
      problems_(new CabrilloProblemsDialog(this)) {
  setObjectName(QStringLiteral("TCabrilloWin"));
  setWindowTitle(QStringLiteral("Cabrillo"));
  cbCabrillo3_->setObjectName(QStringLiteral("cbCabrillo3"));
  cbCabrillo3_->setAccessibleName(cbCabrillo3_->text());
  KeepUpperCase(eCall_);
  BuildLayout();
  connect(cbCabrillo3_, &QCheckBox::toggled, this, &CabrilloDialog::ShowVersionFields);
  connect(problems_, &QDialog::accepted, this, [this] { Generate(checked_); });
  ShowVersionFields();
}

QComboBox* CabrilloDialog::AddBox(const char* name, std::initializer_list<const char*> items) {
  auto* box = new QComboBox(this);
  box->setObjectName(QString::fromLatin1(name));
  box->setEditable(true);
  box->setInsertPolicy(QComboBox::NoInsert);
  for (const char* item : items)
    box->addItem(QString::fromLatin1(item));
  box->setCurrentIndex(-1);
  return box;
}

void CabrilloDialog::BuildLayout() {
  auto* grid = new QGridLayout;
  int row = 0;
  auto add = [&](const char* caption, QWidget* control, int column, int span = 1) {
    return AddHeaderRow(*grid, row, column, caption, control, span);
  };
  auto add_v3 = [&](const char* caption, QWidget* control, int column) {
    v3_fields_.insert(v3_fields_.end(), {add(caption, control, column), control});
  };
  AddContestRow(*grid, row++, ContestNameLbl_, 3);
  add("Callsign", eCall_, 0);
  add("Name", eName_, 2);
  ++row;
  add("ARRL section", cbARRL_, 0);
  add("Club", eClub_, 2);
  ++row;
  add("Operators category", cbOperators_, 0);
  add("Operators", eOperators_, 2);
  ++row;
  add("Band category", cbBands_, 0);
  add_v3("Location", eLocation_, 2);
  ++row;
  add("Power category", cbPower_, 0);
  // Cabrillo 2.0 has no overlay; its label shows with the 3.0 fields only.
  add_v3("Category overlay", cbOverlay_, 2);
  ++row;
  add("Mode category", cbMode_, 0);
  add_v3("E-mail", eEmail_, 2);
  ++row;
  add("Address", mAddress_, 0, 3);
  ++row;
  add_v3("City", eCity_, 0);
  add_v3("State/province", eStateProvince_, 2);
  ++row;
  add_v3("Postal code", ePostalCode_, 0);
  add_v3("Country", eCountry_, 2);
  ++row;
  add("Soapbox", mSoapbox_, 0, 3);
  ++row;
  grid->addWidget(cbCabrillo3_, row, 1);
  grid->setColumnMinimumWidth(3, 180);

  auto [buttons, generate, cancel] = AddDialogButtons(*this, QStringLiteral("Generate"));
  connect(buttons, &QDialogButtonBox::accepted, this, &CabrilloDialog::Button1Click);
  generate->setDefault(false);
  generate->setAutoDefault(false);
  cancel->setAutoDefault(false);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(grid);
  layout->addWidget(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  ChainTabOrder({eCall_,       eName_,   cbARRL_,         cbOperators_, cbBands_,   cbPower_,
                 cbMode_,      eClub_,   eOperators_,     eLocation_,   cbOverlay_, eEmail_,
                 mAddress_,    eCity_,   eStateProvince_, ePostalCode_, eCountry_,  mSoapbox_,
                 cbCabrillo3_, generate, cancel});
}

void CabrilloDialog::ShowCabrilloWin() {
  // The header this log keeps: another log's never shows here.
  RestoreTexts(services_.workspace.settings().cabrillo,
               {cbARRL_, cbOperators_, cbBands_, cbPower_, cbMode_, eClub_, eName_, eOperators_,
                mAddress_, mSoapbox_, cbCabrillo3_, eLocation_, cbOverlay_, eEmail_, eCity_,
                eStateProvince_, ePostalCode_, eCountry_});
  const Session& session = services_.session;
  eCall_->setText(ToQt(session.StationCfg().Call));
  ShowContestName(ContestNameLbl_, session);
  eCall_->setFocus();
  open();
}

CabrilloHeader CabrilloDialog::ReadHeader() const {
  CabrilloHeader header;
  header.Call = ReportText(eCall_->text(), "callsign");
  header.Name = ReportText(eName_->text(), "name");
  header.ArrlSection = ReportText(cbARRL_->currentText(), "ARRL section");
  header.CategoryOperator = ReportText(cbOperators_->currentText(), "operators category");
  header.CategoryBand = ReportText(cbBands_->currentText(), "band category");
  header.CategoryPower = ReportText(cbPower_->currentText(), "power category");
  header.CategoryMode = ReportText(cbMode_->currentText(), "mode category");
  header.Club = ReportText(eClub_->text(), "club");
  header.Operators = ReportText(eOperators_->text(), "operators");
  header.Address = MemoLines(*mAddress_, "address");
  header.Soapbox = MemoLines(*mSoapbox_, "soapbox");
  if (cbCabrillo3_->isChecked()) {
    header.Location = ReportText(eLocation_->text(), "location");
    header.CategoryOverlay = ReportText(cbOverlay_->currentText(), "category overlay");
    header.Email = ReportText(eEmail_->text(), "e-mail");
    header.City = ReportText(eCity_->text(), "city");
    header.StateProvince = ReportText(eStateProvince_->text(), "state/province");
    header.PostalCode = ReportText(ePostalCode_->text(), "postal code");
    header.Country = ReportText(eCountry_->text(), "country");
  }
  return header;
}

void CabrilloDialog::Button1Click() {
  std::vector<CabrilloProblem> problems;
  bool checked = Guarded(services_.notifier, [&] {
    checked_ = ReadHeader();
    problems =
        CheckCabrilloLog(services_.session, checked_,
                         cbCabrillo3_->isChecked() ? CabrilloVersion::k3 : CabrilloVersion::k2);
  });
  if (!checked)
    return;
  if (problems.empty())
    Generate(checked_);
  else
    problems_->ShowProblems(problems);
}

void CabrilloDialog::Generate(const CabrilloHeader& header) {
  PreviewReport report{{}, QStringLiteral("cbr"), 1, header.Call};
  bool built = Guarded(services_.notifier, [&] {
    report.lines = cbCabrillo3_->isChecked()
                       ? BuildCabrillo3Log(services_.session, header, ProgramVersion())
                       : BuildCabrilloLog(services_.session, header);
  });
  if (!built)
    return;
  accept();
  Q_EMIT reportBuilt(report);
}

void CabrilloDialog::hideEvent(QHideEvent* event) {
  StoreHeader();
  QDialog::hideEvent(event);
}

void CabrilloDialog::StoreHeader() {
  StoreTexts(services_.workspace, services_.notifier, kWorkspaceCabrilloSection,
             {cbARRL_, cbOperators_, cbBands_, cbPower_, cbMode_, eClub_, eName_, eOperators_,
              mAddress_, mSoapbox_, cbCabrillo3_, eLocation_, cbOverlay_, eEmail_, eCity_,
              eStateProvince_, ePostalCode_, eCountry_});
}

void CabrilloDialog::ShowVersionFields() {
  for (QWidget* field : v3_fields_)
    field->setVisible(cbCabrillo3_->isChecked());
}

}  // namespace mirva
