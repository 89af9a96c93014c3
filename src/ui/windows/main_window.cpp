#include "windows/main_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFileDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QMenuBar>
#include <QScreen>
#include <QToolButton>
#include <algorithm>
#include <chrono>
#include <tuple>

#include "dialogs/contest_dialog.h"
#include "dialogs/cw_terminal_dialog.h"
#include "dialogs/station_dialog.h"
#include "guarded.h"
#include "link/macro_codes.h"
#include "link/message_bus.h"
#include "log/log_store.h"
#include "program_version.h"
#include "reports/adif_export.h"
#include "session/session.h"
#include "session/stored_settings.h"
#include "stored_state.h"
#include "ui_text.h"
#include "widgets/adif_format_choice.h"
#include "window_layout.h"
#include "windows/check_partial_window.h"
#include "windows/entry_window.h"
#include "windows/previous_qsos_window.h"
#include "windows/qso_list_window.h"
#include "windows/statistics_window.h"
#include "windows/worked_calls_window.h"
#include "working_directory.h"
#include "workspace/workspace.h"

namespace mirva {

namespace {

constexpr int kCaptionLength = 73;
constexpr int kMaxHeight = 70;
constexpr int kHeldCommandRetry = 50;

QAction* AddItem(QMenu* menu, const char* name, const char* caption, QKeySequence shortcut = {}) {
  QAction* action = menu->addAction(QString::fromUtf8(caption));
  action->setObjectName(QString::fromLatin1(name));
  action->setShortcut(shortcut);
  return action;
}

}  // namespace

MainWindow::MainWindow(AppServices services, QWidget* parent)
    : QMainWindow(parent), services_(services) {
  setObjectName(QStringLiteral("TForm1"));
  setWindowTitle(QString::fromLatin1(kSettingsName));
  BuildMenus();
  BuildMacroShortcuts();
  auto* bar = new QWidget(this);
  auto* row = new QHBoxLayout(bar);
  row->setContentsMargins(4, 2, 4, 2);
  row->setSpacing(2);
  setCentralWidget(bar);
  std::size_t at = 0;
  for (auto [name, caption, key] : {std::tuple{"sbNew", "1- New", "1"},
                                    {"sbContestStat", "2 - Stat.", "2"},
                                    {"sbPrev", "3 - Prev.", "3"},
                                    {"sbQSOList", "4 - List", "4"},
                                    {"sbCalls", "5 - Calls", "5"},
                                    {"sbCheckPartial", "6 - Partial", "6"},
                                    {"sbGroup", "7 - Group", "7"},
                                    {"sbBandMap", "8 - Band map", "8"}}) {
    toggles_[at].button = AddToggle(name, caption, key);
    row->addWidget(toggles_[at++].button);
  }
  row->addStretch();
  setMaximumHeight(kMaxHeight);
  if (!RestorePlacement(*this, kMainSection)) {
    // The bar's frame a little off the screen's top left corner.
    QRect frame(screen()->availableGeometry().topLeft() + QPoint(6, 6),
                QSize(sizeHint().width(), kMaxHeight).grownBy(kAssumedFrame));
    setGeometry(frame.marginsRemoved(kAssumedFrame));
  }
  held_timer_.setSingleShot(true);
  held_timer_.setInterval(kHeldCommandRetry);
  connect(&held_timer_, &QTimer::timeout, this, &MainWindow::RunHeldCommands);
}

MainWindow::~MainWindow() {
  services_.bus.Listen({});
}

QToolButton* MainWindow::AddToggle(const char* name, const char* caption, const char* key) {
  auto* button = new QToolButton(this);
  button->setObjectName(QString::fromLatin1(name));
  button->setText(QString::fromLatin1(caption));
  button->setAccessibleName(QString::fromLatin1(caption));
  button->setCheckable(true);
  button->setAutoRaise(true);
  button->setToolTip(tr("Shows or hides the window (Alt+%1)").arg(QLatin1String(key)));
  // Alt and the button's number toggles it from every window, the entry window included.
  auto* shortcut = new QAction(button);
  shortcut->setShortcut(QKeySequence(QStringLiteral("Alt+") + QLatin1String(key)));
  shortcut->setShortcutContext(Qt::ApplicationShortcut);
  connect(shortcut, &QAction::triggered, button, &QToolButton::toggle);
  addAction(shortcut);
  return button;
}

void MainWindow::BuildMenus() {
  QMenu* files = menuBar()->addMenu(QStringLiteral("Files"));
  connect(AddItem(files, "Exporttoadif1", "Export to adif"), &QAction::triggered, this,
          &MainWindow::Exporttoadif1Click);
  connect(AddItem(files, "Clearlog1", "Clear log"), &QAction::triggered, this,
          &MainWindow::Clearlog1Click);
  connect(AddItem(files, "Exit1", "Exit"), &QAction::triggered, this, &QWidget::close);
  QMenu* tools = menuBar()->addMenu(QStringLiteral("Tools"));
  // Ctrl+Z opens the terminal from every window, the entry window's fields included, where
  // it would otherwise undo the last typing.
  ForwardItem(AddItem(tools, "CWterminal1", "CW terminal", QKeySequence(Qt::CTRL | Qt::Key_Z)),
              &MainWindow::cwTerminalRequested)
      ->setShortcutContext(Qt::ApplicationShortcut);
  qApp->installEventFilter(this);
  QMenu* reports = menuBar()->addMenu(QStringLiteral("Reports"));
  ForwardItem(AddItem(reports, "Cabrillo1", "Cabrillo"), &MainWindow::cabrilloRequested);
  ForwardItem(AddItem(reports, "SUMandALLfiles1", "SUM and ALL files"),
              &MainWindow::reportsRequested);
  QMenu* config = menuBar()->addMenu(QStringLiteral("Config"));
  connect(AddItem(config, "Station1", "&Station"), &QAction::triggered, this,
          &MainWindow::Station1Click);
  connect(AddItem(config, "Contest1", "&Contest"), &QAction::triggered, this,
          &MainWindow::Contest1Click);
  ForwardItem(AddItem(config, "Vextalsetup1", "&Vextal setup"), &MainWindow::vextalRequested);
  ForwardItem(AddItem(config, "Group1", "&Group"), &MainWindow::groupSettingsRequested);
  ForwardItem(AddItem(config, "Cluster1", "Cl&uster"), &MainWindow::clusterRequested);
  ForwardItem(AddItem(config, "CallHistory1", "Call &history..."), &MainWindow::historyRequested);
  ForwardItem(AddItem(config, "Wsjtx1", "&WSJT-X / JTDX..."), &MainWindow::wsjtxSettingsRequested);
  QMenu* help = menuBar()->addMenu(QStringLiteral("Help"));
  ForwardItem(AddItem(help, "About1", "About"), &MainWindow::aboutRequested);
}

QAction* MainWindow::ForwardItem(QAction* item, void (MainWindow::*signal)()) {
  // The window the item opens connects to the signal; until one does the item stays off.
  item->setEnabled(false);
  forwarded_.push_back({item, QMetaMethod::fromSignal(signal)});
  connect(item, &QAction::triggered, this, signal);
  return item;
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
  // A text field claims Ctrl+Z as its undo before shortcuts see it; the menu item goes first.
  if (event->type() == QEvent::ShortcutOverride) {
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->keyCombination() == QKeyCombination(Qt::ControlModifier, Qt::Key_Z) &&
        !QApplication::activeModalWidget())
      return true;
  }
  return QMainWindow::eventFilter(watched, event);
}

void MainWindow::connectNotify(const QMetaMethod& signal) {
  for (const ForwardedItem& forwarded : forwarded_)
    if (forwarded.signal == signal)
      forwarded.item->setEnabled(true);
  QMainWindow::connectNotify(signal);
}

void MainWindow::BuildMacroShortcuts() {
  // The "Macroses" menu is never shown; its items carry shortcuts that work in every window.
  auto* macros = new QMenu(QStringLiteral("Macroses"), this);
  macros->setObjectName(QStringLiteral("Macroses1"));
  ForwardItem(AddItem(macros, "Showmults1", "Show mults", QKeySequence(Qt::CTRL | Qt::Key_M)),
              &MainWindow::showMultsRequested);
  for (int n = 1; n <= 12; ++n) {
    auto key = static_cast<Qt::Key>(Qt::Key_F1 + n - 1);
    std::string plain = "F" + std::to_string(n);
    std::string ctrl = "CTRL+F" + std::to_string(n);
    std::string plain_name = plain + "1";
    std::string ctrl_name = "CTRLF" + std::to_string(n) + "1";
    QAction* f = AddItem(macros, plain_name.c_str(), plain.c_str(), QKeySequence(key));
    QAction* cf = AddItem(macros, ctrl_name.c_str(), ctrl.c_str(), QKeySequence(Qt::CTRL | key));
    connect(f, &QAction::triggered, this, [this, n] { RunMacros(FunctionKeyMacro(n)); });
    connect(cf, &QAction::triggered, this, [this, n] { RunMacros(CtrlFunctionKeyMacro(n)); });
  }
  AddItem(macros, "SpeedUp1", "Speed Up");
  AddItem(macros, "Speeddn1", "Speed dn");
  for (QAction* action : macros->actions())
    action->setShortcutContext(Qt::ApplicationShortcut);
  addActions(macros->actions());
}

void MainWindow::Attach(const MainWindows& windows) {
  windows_ = windows;
  ToolWindow* shown[] = {windows.entry, windows.stat,    windows.prev,  windows.list,
                         windows.calls, windows.partial, windows.group, windows.band_map};
  for (std::size_t i = 0; i < toggles_.size(); ++i) {
    QToolButton* button = toggles_[i].button;
    ToolWindow* window = shown[i];
    toggles_[i].window = window;
    connect(button, &QToolButton::toggled, window, [window](bool down) {
      window->setVisible(down);
      if (down) {
        window->raise();
        window->activateWindow();
      }
    });
    connect(window, &ToolWindow::closedByBox, button, [button] { button->setChecked(false); });
  }
  RestoreButtons();
  connect(windows.station, &QDialog::finished, this, &MainWindow::FormActivate);
  connect(windows.select, &QDialog::accepted, this, [this] {
    // Another contest: the entry's band and mode lists are filled anew by the activation.
    // A station change keeps them, so the operator stays on the band and mode in use.
    windows_.entry->EmptyLists();
    FormActivate();
  });
  services_.bus.Listen([this](long wparam, long lparam) { CommandArrived(wparam, lparam); });
}

void MainWindow::CommandArrived(long wparam, long lparam) {
  held_commands_.Push({wparam, lparam});
  RunHeldCommands();
}

void MainWindow::RunHeldCommands() {
  if (running_command_)
    return;
  while (!held_commands_.empty()) {
    // A box or dialog may be halfway through a change the command would cross; the CW
    // terminal holds nothing of the entry, so the companion goes on while it is open.
    QWidget* modal = QApplication::activeModalWidget();
    if (modal && !qobject_cast<CwTerminalDialog*>(modal)) {
      held_timer_.start();
      return;
    }
    CompanionCommand command = *held_commands_.Pop();
    running_command_ = true;
    std::optional<CommandReply> reply =
        windows_.entry->RunCompanionCommand(command.wparam, command.lparam);
    running_command_ = false;
    if (reply)
      services_.bus.Broadcast(kMacroMessage, reply->wparam, reply->lparam);
  }
  // One notice for a whole flood, with the commands that could wait run first.
  if (std::size_t dropped = held_commands_.TakeDropped())
    services_.notifier.ShowError(
        "While a window was open, the companion program sent more commands than can wait (" +
        std::to_string(HeldCommands::kCapacity) + "): " + std::to_string(dropped) +
        " of them were dropped, unanswered.");
}

void MainWindow::FormActivate() {
  Session& session = services_.session;
  for (const ToggleButton& toggle : toggles_)
    toggle.button->setEnabled(session.HasContest());
  ShowCaption();
  if (!session.HasContest()) {
    // Nothing is logged without a contest: the operator chooses one first.
    windows_.select->open();
    return;
  }
  // The entry's lists and grid are filled before it shows, so that it opens at its size.
  windows_.entry->FormActivate();
  ApplyToggles();
  windows_.entry->ShowNextSent();
  windows_.entry->PublishEntry();
  // A first start asks who the station is: the sent exchange and the points depend on it.
  if (!station_asked_ && services_.workspace.Outcome() == StartOutcome::kNeedsStation) {
    station_asked_ = true;
    windows_.station->open();
    return;
  }
  // The start, a station or a contest set up: the next key is the next QSO's callsign.
  if (windows_.entry->isVisible())
    windows_.entry->FocusCall();
}

void MainWindow::ShowCaption() {
  std::string caption = kSettingsName;
  if (services_.session.HasContest())
    caption += " - " + services_.session.Contest().Name;
  QString title = ToQt(caption.substr(0, kCaptionLength));
  if (!radio_status_.isEmpty())
    title += QStringLiteral(" - ") + radio_status_;
  if (!wsjtx_status_.isEmpty())
    title += QStringLiteral(" - ") + wsjtx_status_;
  setWindowTitle(title);
}

void MainWindow::ShowRadioStatus(const QString& status) {
  radio_status_ = status;
  ShowCaption();
}

void MainWindow::ShowWsjtxStatus(const QString& status) {
  wsjtx_status_ = status;
  ShowCaption();
}

void MainWindow::ApplyToggles() {
  // Statistics, previous QSOs, QSO list, worked calls, check partial, group, band map, and
  // the entry window last, on top.
  for (std::size_t i : {1u, 2u, 3u, 4u, 5u, 6u, 7u, 0u}) {
    const ToggleButton& toggle = toggles_[i];
    toggle.window->setVisible(toggle.button->isChecked());
    if (toggle.button->isChecked())
      toggle.window->raise();
  }
}

void MainWindow::RunMacros(int tag) {
  services_.bus.Broadcast(kMacroMessage, tag, 0);
}

void MainWindow::Station1Click() {
  windows_.station->open();
}

void MainWindow::Contest1Click() {
  windows_.select->open();
}

void MainWindow::Clearlog1Click() {
  Notifier& notifier = services_.notifier;
  if (!notifier.AskYesNo("All contacts will be removed from the log. Are you sure?"))
    return;
  Guarded(notifier, [&] { services_.session.ClearLog(); });
}

void MainWindow::Exporttoadif1Click() {
  if (!save_dialog_) {
    save_dialog_ = new QFileDialog(this);
    save_dialog_->setObjectName(QStringLiteral("SaveDialog1"));
    save_dialog_->setAcceptMode(QFileDialog::AcceptSave);
    // The format choice sits in the dialog itself, which a platform's own dialog has no room for.
    save_dialog_->setOption(QFileDialog::DontUseNativeDialog);
    save_dialog_->setNameFilters(
        {QStringLiteral("all files (*)"), QStringLiteral("ADIF files (*.adi)")});
    adif_choice_ = new AdifFormatChoice(save_dialog_);
    if (auto* grid = qobject_cast<QGridLayout*>(save_dialog_->layout()))
      grid->addWidget(adif_choice_, grid->rowCount(), 0, 1, grid->columnCount());
    // It starts in the working directory and then stays where the operator last went.
    save_dialog_->setDirectory(WorkingDirectory(services_.session));
    connect(save_dialog_, &QFileDialog::fileSelected, this, &MainWindow::ExportAdif);
  }
  save_dialog_->setDefaultSuffix(QStringLiteral("adi"));
  save_dialog_->selectNameFilter(save_dialog_->nameFilters().at(1));
  save_dialog_->selectFile(QStringLiteral("contest"));
  save_dialog_->open();
}

void MainWindow::ExportAdif(const QString& path) {
  AdifKind kind = adif_choice_ ? adif_choice_->Kind() : AdifKind::kOwn;
  auto now = std::chrono::floor<std::chrono::seconds>(std::chrono::system_clock::now());
  Guarded(services_.notifier, [&] {
    mirva::ExportAdif(services_.session, kind, path.toStdString(), ProgramVersion(), now);
  });
}

void MainWindow::RestoreButtons() {
  auto settings = OpenStoredSettings();
  settings->beginGroup(kMainSection);
  for (const ToggleButton& toggle : toggles_) {
    QString key = toggle.button->objectName() + QStringLiteral(".Down");
    toggle.button->blockSignals(true);
    toggle.button->setChecked(settings->value(key, false).toBool());
    toggle.button->blockSignals(false);
  }
}

void MainWindow::SaveState() const {
  SavePlacement(*this, kMainSection);
  // A working directory opened for the first time starts from these.
  const Workspace& workspace = services_.workspace;
  const std::vector<std::string>& catalogue = workspace.session().ContestCatalogue();
  auto line = std::find(catalogue.begin(), catalogue.end(), workspace.settings().contest);
  StoreLastValues(workspace.settings(), static_cast<int>(line - catalogue.begin()));
  auto settings = OpenStoredSettings();
  settings->beginGroup(kMainSection);
  for (const ToggleButton& toggle : toggles_) {
    settings->setValue(toggle.button->objectName() + QStringLiteral(".Down"),
                       toggle.button->isChecked());
    if (toggle.window->isVisible())
      toggle.window->SavePlacementNow();
  }
}

void MainWindow::closeEvent(QCloseEvent* event) {
  SaveState();
  QMainWindow::closeEvent(event);
  QApplication::quit();
}

}  // namespace mirva
