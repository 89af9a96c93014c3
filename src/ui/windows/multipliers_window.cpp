#include "windows/multipliers_window.h"

#include <QAbstractItemView>
#include <QAbstractTableModel>
#include <QComboBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QSignalBlocker>
#include <QTableView>
#include <QVBoxLayout>

#include "contest/mult_grid.h"
#include "reference/callsign.h"
#include "session/session.h"
#include "session/stored_settings.h"
#include "ui_text.h"

namespace mirva {

/// The grid's cells as the core laid them out: worked names normal-weight grey on the tooltip
/// colour, needed names and the blanks bold black on the window colour.
class MultGridModel : public QAbstractTableModel {
 public:
  explicit MultGridModel(QObject* parent) : QAbstractTableModel(parent) {}

  int columns() const { return grid_.Columns; }

  /// Takes the new layout; a layout of the same shape redraws in place, so that a save does
  /// not scroll the grid back to the top.
  void Set(MultGrid grid, const QPalette& palette) {
    worked_back_ = palette.brush(QPalette::ToolTipBase);
    needed_back_ = palette.brush(QPalette::Window);
    if (grid.Rows == grid_.Rows && grid.Columns == grid_.Columns) {
      grid_ = std::move(grid);
      if (grid_.Rows > 0)
        Q_EMIT dataChanged(index(0, 0), index(grid_.Rows - 1, grid_.Columns - 1));
      return;
    }
    beginResetModel();
    grid_ = std::move(grid);
    endResetModel();
  }

  int rowCount(const QModelIndex& parent) const override {
    return parent.isValid() ? 0 : grid_.Rows;
  }
  int columnCount(const QModelIndex& parent) const override {
    return parent.isValid() ? 0 : grid_.Columns;
  }

  QVariant data(const QModelIndex& index, int role) const override {
    if (!index.isValid())
      return {};
    const MultCell& cell =
        grid_.Cells[static_cast<std::size_t>(index.row() * grid_.Columns + index.column())];
    switch (role) {
      case Qt::DisplayRole:
      case Qt::ToolTipRole:
        return ToQt(cell.Name);
      case Qt::TextAlignmentRole:
        return QVariant::fromValue(Qt::Alignment(Qt::AlignCenter));
      case Qt::FontRole: {
        QFont font;
        font.setBold(!cell.Worked);
        return font;
      }
      case Qt::ForegroundRole:
        return QColor(cell.Worked ? Qt::gray : Qt::black);
      case Qt::BackgroundRole:
        return cell.Worked ? worked_back_ : needed_back_;
      case Qt::AccessibleDescriptionRole:
        // Grey and bold do not reach a screen reader.
        return cell.Name == " " ? QString() : cell.Worked ? tr("worked") : tr("needed");
      default:
        return {};
    }
  }

 private:
  MultGrid grid_;
  QBrush worked_back_;
  QBrush needed_back_;
};

namespace {

QComboBox* AddSelector(QWidget* parent, const char* name, const char* spoken, const char* keys) {
  auto* box = new QComboBox(parent);
  box->setObjectName(QString::fromLatin1(name));
  box->setAccessibleName(QString::fromLatin1(spoken));
  // The open list speaks under the selector's name too.
  box->view()->setAccessibleName(box->accessibleName());
  box->setToolTip(QStringLiteral("%1 (%2)").arg(QLatin1String(spoken), QLatin1String(keys)));
  box->setSizeAdjustPolicy(QComboBox::AdjustToContents);
  return box;
}

void Fill(QComboBox* box, const std::vector<std::string>& items, int selected) {
  QSignalBlocker quiet(box);
  box->clear();
  for (const std::string& item : items)
    box->addItem(ToQt(item));
  box->setCurrentIndex(selected >= 0 && selected < box->count() ? selected : 0);
}

/// Moves the selector one item on, staying on its first or last item.
void Step(QComboBox* box, int by) {
  int next = std::clamp(box->currentIndex() + by, 0, std::max(0, box->count() - 1));
  box->setCurrentIndex(next);
}

}  // namespace

MultipliersWindow::MultipliersWindow(AppServices services, QWidget* parent)
    : ToolWindow(kMultsSection, QStringLiteral("Miltipliers list"), parent),
      services_(services),
      model_(new MultGridModel(this)) {
  setObjectName(QStringLiteral("TMultsWin"));
  auto* panel = new QFrame(this);
  panel->setObjectName(QStringLiteral("Panel1"));
  panel->setAccessibleName(QStringLiteral("Multiplier list, band and mode"));
  lblWkd_ = new QLabel(QStringLiteral("Wkd mults: 0"), panel);
  lblWkd_->setObjectName(QStringLiteral("lblWkd"));
  lblWkd_->setAccessibleName(QStringLiteral("Worked multipliers 0"));
  cbMults_ = AddSelector(panel, "cbMults", "Multiplier list", "Shift+F1, Shift+F2");
  cbBands_ = AddSelector(panel, "cbBands", "Band", "Alt+F1, Alt+F2");
  cbModes_ = AddSelector(panel, "cbModes", "Mode", "Ctrl+F1, Ctrl+F2");
  auto* row = new QHBoxLayout(panel);
  row->setContentsMargins(0, 0, 0, 0);
  row->addWidget(lblWkd_, 1);
  row->addWidget(cbMults_);
  row->addWidget(cbBands_);
  row->addWidget(cbModes_);

  sgMults_ = new QTableView(this);
  sgMults_->setObjectName(QStringLiteral("sgMults"));
  sgMults_->setAccessibleName(windowTitle());
  sgMults_->setModel(model_);
  sgMults_->horizontalHeader()->hide();
  sgMults_->verticalHeader()->hide();
  sgMults_->horizontalHeader()->setMinimumSectionSize(kMultCellWidth);
  sgMults_->horizontalHeader()->setDefaultSectionSize(kMultCellWidth);
  sgMults_->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  sgMults_->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
  sgMults_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  sgMults_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  sgMults_->setSelectionMode(QAbstractItemView::NoSelection);
  sgMults_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  sgMults_->setWordWrap(false);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(panel);
  layout->addWidget(sgMults_, 1);
  setTabOrder(cbMults_, cbBands_);
  setTabOrder(cbBands_, cbModes_);
  setTabOrder(cbModes_, sgMults_);
  resize(15 + 10 * kMultCellWidth + 2 * layout->contentsMargins().left(), 320);

  for (QWidget* watched : {static_cast<QWidget*>(this), static_cast<QWidget*>(cbMults_),
                           static_cast<QWidget*>(cbBands_), static_cast<QWidget*>(cbModes_),
                           static_cast<QWidget*>(sgMults_)})
    watched->installEventFilter(this);
  for (QComboBox* box : {cbMults_, cbBands_, cbModes_})
    connect(box, &QComboBox::currentIndexChanged, this, &MultipliersWindow::FillMults);
  services_.session.AddListener(this);
}

MultipliersWindow::~MultipliersWindow() {
  // No toggle button keeps this window: the program ends with it open, and it opens there again.
  if (isVisible())
    SavePlacementNow();
  services_.session.RemoveListener(this);
}

void MultipliersWindow::ShowMults(const std::vector<std::string>& names,
                                  const std::vector<std::string>& bands, int band, int mode,
                                  const std::vector<std::string>& modes) {
  Fill(cbBands_, bands, band);
  Fill(cbModes_, modes, mode);
  Fill(cbMults_, names, 0);
  FillMults();
  show();
  raise();
  activateWindow();
}

void MultipliersWindow::ShowContestMults(std::string_view band, std::string_view mode) {
  const Session& session = services_.session;
  if (!session.HasContest() || session.Contest().MultCount == 0)
    return;
  const TContest& contest = session.Contest();
  ShowMults(MultListNames(session.contest()), contest.Bands, BandIndex(contest.Bands, band),
            ModeIndex(contest.Modes, mode), contest.Modes);
}

void MultipliersWindow::FillMults() {
  const TMultArray& list = SelectedMultList(services_.session.contest(), cbMults_->currentIndex());
  MultGrid grid = LayOutMults(list, cbBands_->currentIndex(), cbModes_->currentIndex(),
                              MultColumns(sgMults_->width()));
  lblWkd_->setText(QStringLiteral("Wkd mults: %1").arg(grid.WorkedCount));
  lblWkd_->setAccessibleName(QStringLiteral("Worked multipliers %1").arg(grid.WorkedCount));
  model_->Set(std::move(grid), palette());
}

void MultipliersWindow::Refresh() {
  if (isVisible())
    FillMults();
}

void MultipliersWindow::ContestChanged() {
  if (!isVisible())
    return;
  const Session& session = services_.session;
  if (!session.HasContest() || session.Contest().MultCount == 0) {
    hide();
    return;
  }
  // The band and mode in view stay chosen when the new contest has them.
  const TContest& contest = session.Contest();
  Fill(cbBands_, contest.Bands, BandIndex(contest.Bands, FromQt(cbBands_->currentText())));
  Fill(cbModes_, contest.Modes, ModeIndex(contest.Modes, FromQt(cbModes_->currentText())));
  Fill(cbMults_, MultListNames(session.contest()), 0);
  FillMults();
}

bool MultipliersWindow::IsWindowKey(const QKeyEvent& key) {
  Qt::KeyboardModifiers mods = key.modifiers() & ~Qt::KeypadModifier;
  if (key.key() == Qt::Key_Escape)
    return mods == Qt::NoModifier;
  bool f1_f2 = key.key() == Qt::Key_F1 || key.key() == Qt::Key_F2;
  return f1_f2 &&
         (mods == Qt::ShiftModifier || mods == Qt::AltModifier || mods == Qt::ControlModifier);
}

void MultipliersWindow::WindowKey(const QKeyEvent& key) {
  if (key.key() == Qt::Key_Escape) {
    close();
    return;
  }
  int by = key.key() == Qt::Key_F1 ? -1 : 1;
  Qt::KeyboardModifiers mods = key.modifiers() & ~Qt::KeypadModifier;
  Step(mods == Qt::ShiftModifier ? cbMults_ : mods == Qt::AltModifier ? cbBands_ : cbModes_, by);
}

bool MultipliersWindow::eventFilter(QObject* watched, QEvent* event) {
  switch (event->type()) {
    case QEvent::ShortcutOverride:
      // Claiming the key here keeps the program-wide Ctrl+F1 and Ctrl+F2 from firing.
      if (IsWindowKey(static_cast<const QKeyEvent&>(*event))) {
        event->accept();
        return true;
      }
      break;
    case QEvent::KeyPress:
      if (IsWindowKey(static_cast<const QKeyEvent&>(*event))) {
        WindowKey(static_cast<const QKeyEvent&>(*event));
        return true;
      }
      break;
    case QEvent::Resize:
      if (watched == sgMults_ && MultColumns(sgMults_->width()) != model_->columns())
        FillMults();
      break;
    default:
      break;
  }
  return ToolWindow::eventFilter(watched, event);
}

}  // namespace mirva
