#include "dialogs/radio_dialog.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <utility>

#include "guarded.h"
#include "radio/radio_settings.h"
#include "session/session.h"
#include "ui_text.h"
#include "widgets/dialog_buttons.h"

namespace mirva {

namespace {

constexpr int kColumnWidths[] = {40, 60, 60, 60, 60, 60};
constexpr int kCellPadding = 10;
/// The most of a grown grid the window shows at once; the rest scrolls.
constexpr int kMaxGridWidth = 720;
constexpr int kMaxGridHeight = 480;
constexpr int kMaxSerialSpeed = 1000000;
/// How many characters of a model's name the list shows; the open list shows them whole.
constexpr int kModelNameChars = 28;

}  // namespace

RadioDialog::RadioDialog(AppServices services, QWidget* parent)
    : QDialog(parent),
      services_(services),
      use_vextal_(new QCheckBox(QStringLiteral("Use Vextal for TRX communication"), this)),
      model_(new QComboBox(this)),
      port_(new QLineEdit(this)),
      speed_(new QSpinBox(this)),
      grid_(new QTableWidget(this)) {
  setObjectName(QStringLiteral("TVextalWin"));
  setWindowTitle(QStringLiteral("Vextal settings"));
  setModal(true);
  use_vextal_->setObjectName(QStringLiteral("CheckBox1"));
  use_vextal_->setAccessibleName(use_vextal_->text());
  grid_->setObjectName(QStringLiteral("sgFreqList"));
  grid_->setAccessibleName(windowTitle());
  grid_->horizontalHeader()->hide();
  grid_->verticalHeader()->hide();
  grid_->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
  // Tab moves on to the buttons; the arrow keys move between the cells.
  grid_->setTabKeyNavigation(false);
  auto [buttons, ok, cancel] = AddDialogButtons(*this, QStringLiteral("OK"));
  ok->setObjectName(QStringLiteral("BitBtn1"));
  cancel->setObjectName(QStringLiteral("BitBtn2"));
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(use_vextal_);
  layout->addLayout(BuildRadioControls());
  layout->addWidget(grid_);
  layout->addWidget(buttons);
  setTabOrder(use_vextal_, model_);
  setTabOrder(model_, port_);
  setTabOrder(port_, speed_);
  setTabOrder(speed_, grid_);
  setTabOrder(grid_, ok);
  setTabOrder(ok, cancel);
  connect(buttons, &QDialogButtonBox::accepted, this, &RadioDialog::BitBtn1Click);
  connect(grid_, &QTableWidget::itemChanged, this, &RadioDialog::CellChanged);

  Session& session = services_.session;
  ShowPlan(ReadBandPlan(session.fs(), session.PathOf(kBandPlanFileName)));
  ShowRadio(ReadRadioSettings());
  connect(new RadioModelReader(this), &RadioModelReader::ready, this, &RadioDialog::ShowModels);
  // The grid's minimum is the plan's size, so the window opens just around it.
  resize(minimumSizeHint());
}

QLayout* RadioDialog::BuildRadioControls() {
  model_->setObjectName(QStringLiteral("cbRadioModel"));
  model_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  model_->setMinimumContentsLength(kModelNameChars);
  port_->setObjectName(QStringLiteral("eRadioPort"));
  port_->setPlaceholderText(QStringLiteral("/dev/ttyUSB0, or localhost:4532 for rigctld"));
  speed_->setObjectName(QStringLiteral("seRadioSpeed"));
  speed_->setRange(0, kMaxSerialSpeed);
  speed_->setSpecialValueText(QStringLiteral("the model's own"));
  speed_->setSuffix(QStringLiteral(" bit/s"));
  auto* form = new QFormLayout;
  for (auto [caption, control] : {std::pair<const char*, QWidget*>{"Radio &model", model_},
                                  {"&Port or HOST:PORT", port_},
                                  {"Serial &speed", speed_}}) {
    auto* label = new QLabel(QString::fromLatin1(caption), this);
    label->setBuddy(control);
    control->setAccessibleName(label->text().remove(QLatin1Char('&')));
    form->addRow(label, control);
  }
  // The open list of models speaks as the control it belongs to.
  model_->view()->setAccessibleName(model_->accessibleName());
  return form;
}

void RadioDialog::ShowRadio(const RadioSettings& settings) {
  use_vextal_->setChecked(settings.enabled);
  ChooseModel(settings.model);
  port_->setText(ToQt(settings.port));
  speed_->setValue(settings.speed);
}

void RadioDialog::ShowModels(const RadioModelList& models) {
  int chosen = model_->currentData().toInt();
  model_->clear();
  for (const auto& [number, name] : models)
    model_->addItem(QStringLiteral("%1 (%2)").arg(name).arg(number), number);
  ChooseModel(chosen);
}

void RadioDialog::ChooseModel(int number) {
  int index = model_->findData(number);
  if (index < 0) {
    // A number this Hamlib does not list (or not yet) still stays as stored.
    model_->addItem(QStringLiteral("Model %1").arg(number), number);
    index = model_->count() - 1;
  }
  model_->setCurrentIndex(index);
}

RadioSettings RadioDialog::ChosenRadio() const {
  return {use_vextal_->isChecked(), model_->currentData().toInt(), FromQt(port_->text().trimmed()),
          speed_->value()};
}

void RadioDialog::ShowPlan(const BandPlan& plan) {
  QSignalBlocker quiet(grid_);
  grid_->setColumnCount(static_cast<int>(plan.Columns()));
  grid_->setRowCount(static_cast<int>(plan.Rows()));
  for (std::size_t r = 0; r < plan.Rows(); ++r)
    for (std::size_t c = 0; c < plan.Columns(); ++c)
      grid_->setItem(static_cast<int>(r), static_cast<int>(c),
                     new QTableWidgetItem(ToQt(plan.Cell(c, r))));
  FitColumns();
}

void RadioDialog::FitColumns() {
  // Each column is as wide as its place in the plan says, or as its widest text needs.
  int total = 0;
  for (int c = 0; c < grid_->columnCount(); ++c) {
    int width =
        c < static_cast<int>(std::size(kColumnWidths)) ? kColumnWidths[c] : kColumnWidths[1];
    for (int r = 0; r < grid_->rowCount(); ++r)
      width = std::max(width,
                       fontMetrics().horizontalAdvance(grid_->item(r, c)->text()) + kCellPadding);
    grid_->setColumnWidth(c, width);
    total += width;
  }
  int frame = 2 * grid_->frameWidth();
  int height = grid_->rowCount() * grid_->verticalHeader()->defaultSectionSize();
  grid_->setMinimumSize(std::min(total, kMaxGridWidth) + frame,
                        std::min(height, kMaxGridHeight) + frame);
}

void RadioDialog::CellChanged(QTableWidgetItem* item) {
  QString text = item->text();
  for (QChar separator : {QChar(u'\t'), QChar(u'\r'), QChar(u'\n')})
    text.replace(separator, QChar(u' '));
  if (text != item->text())
    item->setText(text);
}

BandPlan RadioDialog::Plan() const {
  BandPlan plan(static_cast<std::size_t>(grid_->columnCount()),
                static_cast<std::size_t>(grid_->rowCount()));
  for (int r = 0; r < grid_->rowCount(); ++r)
    for (int c = 0; c < grid_->columnCount(); ++c)
      if (const QTableWidgetItem* item = grid_->item(r, c))
        plan.SetCell(static_cast<std::size_t>(c), static_cast<std::size_t>(r),
                     FromQt(item->text()));
  return plan;
}

void RadioDialog::BitBtn1Click() {
  Session& session = services_.session;
  if (Guarded(services_.notifier,
              [&] { WriteBandPlan(session.fs(), session.PathOf(kBandPlanFileName), Plan()); })) {
    StoreRadioSettings(ChosenRadio());
    accept();
  }
}

}  // namespace mirva
