#include "CabrilloUnit.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "ReportPreviewUnit.h"
#include "dialog_buttons.h"
#include "guarded.h"
#include "report_fields.h"
#include "session/session.h"
#include "session/stored_settings.h"
#include "ui_text.h"

namespace mirva {

TCabrilloWin::TCabrilloWin(AppServices services, QWidget* parent)
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
      mSoapbox_(NewHeaderMemo(this, "mSoapbox")) {
  setObjectName(QStringLiteral("TCabrilloWin"));
  setWindowTitle(QStringLiteral("Cabrillo"));
  KeepUpperCase(eCall_);
  BuildLayout();
  RestoreTexts(kCabrilloSection, {cbARRL_, cbOperators_, cbBands_, cbPower_, cbMode_, eClub_,
                                  eName_, eOperators_, mAddress_, mSoapbox_});
}

QComboBox* TCabrilloWin::AddBox(const char* name, std::initializer_list<const char*> items) {
  auto* box = new QComboBox(this);
  box->setObjectName(QString::fromLatin1(name));
  box->setEditable(true);
  box->setInsertPolicy(QComboBox::NoInsert);
  for (const char* item : items)
    box->addItem(QString::fromLatin1(item));
  box->setCurrentIndex(-1);
  return box;
}

void TCabrilloWin::BuildLayout() {
  auto* grid = new QGridLayout;
  int row = 0;
  auto add = [&](const char* caption, QWidget* control, int column, int span = 1) {
    AddHeaderRow(*grid, row, column, caption, control, span);
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
  ++row;
  add("Power category", cbPower_, 0);
  auto* overlay = new QLabel(QStringLiteral("Category overlay"), this);
  overlay->hide();
  ++row;
  add("Mode category", cbMode_, 0);
  ++row;
  add("Address", mAddress_, 0, 3);
  ++row;
  add("Soapbox", mSoapbox_, 0, 3);
  grid->setColumnMinimumWidth(3, 180);

  auto [buttons, generate, cancel] = AddDialogButtons(*this, QStringLiteral("Generate"));
  connect(buttons, &QDialogButtonBox::accepted, this, &TCabrilloWin::Button1Click);
  generate->setDefault(false);
  generate->setAutoDefault(false);
  cancel->setAutoDefault(false);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(grid);
  layout->addWidget(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  ChainTabOrder({eCall_, eName_, cbARRL_, cbOperators_, cbBands_, cbPower_, cbMode_, eClub_,
                 eOperators_, mAddress_, mSoapbox_, generate, cancel});
}

void TCabrilloWin::ShowCabrilloWin() {
  const Session& session = services_.session;
  eCall_->setText(ToQt(session.StationCfg().Call));
  ShowContestName(ContestNameLbl_, session);
  eCall_->setFocus();
  open();
}

CabrilloHeader TCabrilloWin::ReadHeader() const {
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
  return header;
}

void TCabrilloWin::Button1Click() {
  PreviewReport report{{}, QStringLiteral("cbr"), 1};
  bool built = Guarded(services_.notifier,
                       [&] { report.lines = BuildCabrilloLog(services_.session, ReadHeader()); });
  if (!built)
    return;
  accept();
  Q_EMIT reportBuilt(report);
}

void TCabrilloWin::hideEvent(QHideEvent* event) {
  StoreHeader();
  QDialog::hideEvent(event);
}

void TCabrilloWin::StoreHeader() const {
  StoreTexts(kCabrilloSection, {cbARRL_, cbOperators_, cbBands_, cbPower_, cbMode_, eClub_, eName_,
                                eOperators_, mAddress_, mSoapbox_});
}

}  // namespace mirva
