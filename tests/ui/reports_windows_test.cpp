#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QToolButton>
#include <QtTest>

#include "dialogs/cabrillo_dialog.h"
#include "dialogs/cabrillo_problems_dialog.h"
#include "dialogs/operator_dialog.h"
#include "dialogs/report_preview_dialog.h"
#include "dialogs/summary_dialog.h"
#include "program_version.h"
#include "reports/cabrillo.h"
#include "reports/cabrillo_v3.h"
#include "ui_fixture.h"

namespace mirva {

namespace {

constexpr int kRussianCw = 10;

/// The program started with a station, so that no station dialog asks first.
struct ReportsUi : UiFixture {
  explicit ReportsUi(int contest = 0) {
    StoreContest(contest);
    StoreStation("eCall", "UA3ABC");
    Start();
  }

  CabrilloDialog& OpenCabrillo() {
    Find<QAction>(program->main(), "Cabrillo1")->trigger();
    return program->cabrillo();
  }
  SummaryDialog& OpenReport() {
    Find<QAction>(program->main(), "SUMandALLfiles1")->trigger();
    return program->report();
  }
  QString Preview() const {
    return Find<QPlainTextEdit>(program->preview(), "Memo1")->toPlainText();
  }
  QString Operators() const {
    QStringList lines;
    auto* list = Find<QListWidget>(program->report(), "lbOperators");
    for (int i = 0; i < list->count(); ++i)
      lines << list->item(i)->text();
    return lines.join(QLatin1Char('|'));
  }
  std::string FilePath(const char* name) const { return path() + "/" + name; }
  bool HasFile(const char* name) const {
    return QFile::exists(QString::fromStdString(FilePath(name)));
  }
  QByteArray FileBytes(const char* name) const {
    return ReadFileBytes(QString::fromStdString(FilePath(name)));
  }
};

void Click(const QWidget& window, const char* name) {
  UiFixture::Find<QPushButton>(window, name)->click();
}

/// The problems of the Cabrillo window's log while they are listed; null when they are not.
QDialog* Problems(const CabrilloDialog& window) {
  auto* problems = UiFixture::Find<QDialog>(window, "TCabrilloProblemsWin");
  return problems && problems->isVisible() ? problems : nullptr;
}

/// Generates the log, saving it anyway when the check lists problems.
void GenerateAnyway(CabrilloDialog& window) {
  Click(window, "Button1");
  if (QDialog* problems = Problems(window))
    Click(*problems, "SaveAnyway");
}

/// Types a text into an edit, a combo box or a memo of the window.
void Put(QWidget& window, const char* name, const QString& text) {
  QWidget* control = UiFixture::Find<QWidget>(window, name);
  if (auto* edit = qobject_cast<QLineEdit*>(control))
    edit->setText(text);
  else if (auto* box = qobject_cast<QComboBox*>(control))
    box->setCurrentText(text);
  else if (auto* memo = qobject_cast<QPlainTextEdit*>(control))
    memo->setPlainText(text);
}

QString Get(const QWidget& window, const char* name) {
  QWidget* control = UiFixture::Find<QWidget>(window, name);
  if (auto* edit = qobject_cast<QLineEdit*>(control))
    return edit->text();
  if (auto* box = qobject_cast<QComboBox*>(control))
    return box->currentText();
  return qobject_cast<QPlainTextEdit*>(control)->toPlainText();
}

/// Saves the preview's text through its save button and dialog to the file.
void SaveTo(ReportPreviewDialog& preview, const std::string& path) {
  UiFixture::Find<QToolButton>(preview, "SpeedButton1")->click();
  auto* dialog = UiFixture::Find<QFileDialog>(preview, "SaveDialog1");
  QVERIFY(dialog->isVisible());
  dialog->reject();
  Q_EMIT dialog->fileSelected(QString::fromStdString(path));
}

struct OperatorInput {
  const char* name;
  const char* last_name;
  const char* second_name;
  const char* call;
};

void EnterOperator(OperatorDialog& dialog, const OperatorInput& op) {
  QVERIFY(dialog.isVisible());
  Put(dialog, "eName", QString::fromUtf8(op.name));
  Put(dialog, "eLastName", QString::fromUtf8(op.last_name));
  Put(dialog, "eSecName", QString::fromUtf8(op.second_name));
  auto* call = UiFixture::Find<QLineEdit>(dialog, "eCall");
  call->setText(QString::fromUtf8(op.call));
  Q_EMIT call->textEdited(call->text());  // as if typed
  Click(dialog, "Button1");
}

void SelectOperator(const SummaryDialog& window, int row) {
  UiFixture::Find<QListWidget>(window, "lbOperators")->setCurrentRow(row);
}

QAction* PopupItem(const SummaryDialog& window, const char* caption) {
  for (QAction* item : UiFixture::Find<QMenu>(window, "PopupMenu1")->actions()) {
    if (item->text() == QLatin1String(caption))
      return item;
  }
  return nullptr;
}

}  // namespace

class ReportsWindowsTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void CabrilloHeaderSurvivesARestartButTheCallsignDoesNot() {
    const std::pair<const char*, QString> texts[] = {
        {"cbARRL", QStringLiteral("ENY")},
        {"cbOperators", QStringLiteral("SCHOOL-CLUB ")},
        {"cbBands", QStringLiteral("")},
        {"cbPower", QStringLiteral("QRP-TYPED")},
        {"cbMode", QStringLiteral("MIXED")},
        {"eClub", QStringLiteral("Radio club")},
        {"eName", QString::fromUtf8("Иван Петров")},
        {"eOperators", QStringLiteral("UA3ABC UA3XYZ")},
        {"mAddress", QStringLiteral("12 Main St\nMoscow")},
        {"mSoapbox", QStringLiteral("\n\n")},
    };
    ReportsUi ui;
    CabrilloDialog& first = ui.OpenCabrillo();
    Put(first, "eCall", QStringLiteral("R3A"));
    for (const auto& [name, text] : texts)
      Put(first, name, text);
    Click(first, "Button2");
    QVERIFY(!first.isVisible());

    ui.Start();
    CabrilloDialog& again = ui.OpenCabrillo();
    for (const auto& [name, text] : texts)
      QCOMPARE(Get(again, name), text);
    QCOMPARE(Get(again, "eCall"), QStringLiteral("UA3ABC"));
  }

  void GenerateAndSaveWriteWhatTheCommandLineWrites() {
    ReportsUi ui;
    ui.session->SaveQso(TestQso("DL1AA"));
    ui.session->SaveQso(TestQso("JA1AA", "40", "12:05"));
    CabrilloDialog& window = ui.OpenCabrillo();
    Put(window, "eName", QString::fromUtf8("Иван"));
    Put(window, "cbOperators", QStringLiteral("SINGLE-OP"));
    Put(window, "mAddress", QStringLiteral("12 Main St"));
    GenerateAnyway(window);
    ReportPreviewDialog& preview = ui.program->preview();
    QVERIFY(!window.isVisible());
    QVERIFY(preview.isVisible());

    SaveTo(preview, ui.FilePath("log.cbr"));

    CabrilloHeader header;
    header.Call = "UA3ABC";
    header.Name = "\xC8\xE2\xE0\xED";  // Иван in Windows-1251
    header.CategoryOperator = "SINGLE-OP";
    header.Address = {"12 Main St"};
    std::string expected = ReportFileBytes(BuildCabrilloLog(*ui.session, header));
    QCOMPARE(ui.FileBytes("log.cbr"), QByteArray::fromStdString(expected));
    QVERIFY(ui.notifier.errors.empty());
    // The Cabrillo window does not come back when its preview closes; the report window is
    // not woken by someone else's preview.
    preview.reject();
    QVERIFY(!window.isVisible());
    QVERIFY(!ui.program->report().isVisible());
  }

  void Cabrillo3IsChosenThereAndKeptWithItsFields() {
    ReportsUi ui;
    ui.session->SaveQso(TestQso("DL1AA"));
    CabrilloDialog& window = ui.OpenCabrillo();
    auto* v3 = UiFixture::Find<QCheckBox>(window, "cbCabrillo3");
    QVERIFY(!v3->isChecked());
    QVERIFY(!UiFixture::Find<QWidget>(window, "eEmail")->isVisibleTo(&window));
    v3->click();
    QVERIFY(UiFixture::Find<QWidget>(window, "eEmail")->isVisibleTo(&window));
    Put(window, "eEmail", QStringLiteral("ua3abc@example.org"));
    Put(window, "eLocation", QStringLiteral("DX"));
    Put(window, "cbOperators", QStringLiteral("SINGLE-OP"));
    GenerateAnyway(window);
    SaveTo(ui.program->preview(), ui.FilePath("log.cbr"));
    CabrilloHeader header;
    header.Call = "UA3ABC";
    header.Email = "ua3abc@example.org";
    header.Location = "DX";
    header.CategoryOperator = "SINGLE-OP";
    std::string expected =
        ReportFileBytes(BuildCabrillo3Log(*ui.session, header, ProgramVersion()));
    QCOMPARE(ui.FileBytes("log.cbr"), QByteArray::fromStdString(expected));
    ui.program->preview().reject();

    ui.Start();
    CabrilloDialog& again = ui.OpenCabrillo();
    QVERIFY(UiFixture::Find<QCheckBox>(again, "cbCabrillo3")->isChecked());
    QCOMPARE(Get(again, "eEmail"), QStringLiteral("ua3abc@example.org"));
    // Back to 2.0: the 3.0 fields hide and the log is the 2.0 one again.
    UiFixture::Find<QCheckBox>(again, "cbCabrillo3")->click();
    QVERIFY(!UiFixture::Find<QWidget>(again, "eEmail")->isVisibleTo(&again));
    GenerateAnyway(again);
    QVERIFY(ui.Preview().startsWith(QStringLiteral("START-OF-LOG: 2.0")));
  }

  void ASaveThatCannotBeWrittenWritesNothingAndSaysWhy() {
    struct Case {
      const char* edit;  ///< appended to the report's first line
      const char* file;
      const char* told;
    } cases[] = {
        {"\xE2\x82\xAC", "euro.txt", "Line 1 of the report holds \"\x88\" (U+20AC)"},
        {"\xE4\xB8\xAD", "han.txt", "Line 1 of the report holds U+4E2D,"},
        {"", "missing/dir.txt", "missing"},
        {"", "operators.ini", "operators.ini"},
    };
    for (const Case& c : cases) {
      ReportsUi ui;
      GenerateAnyway(ui.OpenCabrillo());
      auto* memo = UiFixture::Find<QPlainTextEdit>(ui.program->preview(), "Memo1");
      memo->setPlainText(memo->toPlainText().replace(0, 0, QString::fromUtf8(c.edit)));
      SaveTo(ui.program->preview(), ui.FilePath(c.file));
      QVERIFY2(!ui.HasFile(c.file), c.file);
      QCOMPARE(ui.notifier.errors.size(), std::size_t{1});
      QVERIFY2(ui.notifier.errors[0].find(c.told) != std::string::npos,
               ui.notifier.errors[0].c_str());
    }
  }

  // Enter saves anyway, Escape goes back to the header with nothing built and the keyboard
  // where it was; a clean log goes straight to the preview.
  void TheCheckListsWhatARobotRejectsBeforeTheLogIsBuilt() {
    for (int key : {Qt::Key_Escape, Qt::Key_Return}) {
      ReportsUi ui;
      ui.session->SaveQso(TestQso("DL1AA"));
      CabrilloDialog& window = ui.OpenCabrillo();
      QVERIFY(QTest::qWaitForWindowActive(&window));
      auto* name = UiFixture::Find<QLineEdit>(window, "eName");
      name->setFocus();
      Click(window, "Button1");
      QDialog* problems = Problems(window);
      QVERIFY(problems);
      auto* list = UiFixture::Find<QListWidget>(*problems, "ProblemList");
      QCOMPARE(Unspoken({problems}), QStringList());
      QStringList rows;
      for (int i = 0; i < list->count(); ++i)
        rows << list->item(i)->text();
      QVERIFY2(
          rows.startsWith(QStringLiteral("Header: the operator category of CATEGORY is empty")),
          qPrintable(rows.join(QLatin1Char('|'))));
      QVERIFY2(rows.contains(QStringLiteral("QSO 1: sent exchange is empty")),
               qPrintable(rows.join(QLatin1Char('|'))));
      QTRY_COMPARE(QApplication::focusWidget(), list);
      QTest::keyClick(list, static_cast<Qt::Key>(key));
      QVERIFY(!problems->isVisible());
      if (key == Qt::Key_Escape) {
        QVERIFY(window.isVisible());
        QVERIFY(!ui.program->preview().isVisible());
        QTRY_COMPARE(QApplication::focusWidget(), name);
        continue;
      }
      QVERIFY(!window.isVisible());
      SaveTo(ui.program->preview(), ui.FilePath("anyway.cbr"));
      QVERIFY(ui.FileBytes("anyway.cbr").contains("QSO: 14000 CW"));
    }
    ReportsUi clean;
    CabrilloDialog& window = clean.OpenCabrillo();
    for (const auto& [field, text] :
         {std::pair{"cbOperators", "SINGLE-OP"}, {"cbBands", "ALL"}, {"cbPower", "LOW"}})
      Put(window, field, QLatin1String(text));
    Click(window, "Button1");
    QVERIFY(!Problems(window));
    QVERIFY(clean.program->preview().isVisible());
  }

  void AHeaderTextTheCodePageCannotHoldBuildsNothing() {
    ReportsUi ui;
    CabrilloDialog& window = ui.OpenCabrillo();
    Put(window, "mSoapbox", QString::fromUtf8("fine\nno \xE4\xB8\xAD here"));
    Click(window, "Button1");
    QVERIFY(window.isVisible());
    QVERIFY(!ui.program->preview().isVisible());
    QVERIFY(ui.notifier.errors.at(0).starts_with("Line 2 of the soapbox holds U+4E2D,"));
  }

  void EachReportIsProposedInTheWorkingDirectoryUnderItsName() {
    const struct {
      const char* button;
      const char* suffix;
      const char* filter;
    } cases[] = {{"Cabrillo1", "cbr", "Cabrillo files (*.cbr)"},
                 {"Button4", "all", "Report files (*.all)"},
                 {"Button6", "sum", "Summary files (*.sum)"}};
    for (const auto& c : cases) {
      ReportsUi ui;
      if (c.button == std::string_view("Cabrillo1"))
        GenerateAnyway(ui.OpenCabrillo());
      else
        Click(ui.OpenReport(), c.button);
      auto* save = UiFixture::Find<QToolButton>(ui.program->preview(), "SpeedButton1");
      QCOMPARE(save->text(), QStringLiteral("Save\u2026"));
      QCOMPARE(save->toolButtonStyle(), Qt::ToolButtonTextBesideIcon);
      save->click();
      auto* dialog = UiFixture::Find<QFileDialog>(ui.program->preview(), "SaveDialog1");
      QCOMPARE(dialog->directory().absolutePath(), QFileInfo(ui.dir.path()).absoluteFilePath());
      QCOMPARE(QFileInfo(dialog->selectedFiles().value(0)).fileName(),
               QStringLiteral("UA3ABC.") + QLatin1String(c.suffix));
      QCOMPARE(dialog->selectedNameFilter(), QLatin1String(c.filter));
      QCOMPARE(dialog->defaultSuffix(), QLatin1String(c.suffix));
      QVERIFY(!dialog->testOption(QFileDialog::DontConfirmOverwrite));
    }
  }

  void CtrlSSavesThePreview() {
    ReportsUi ui;
    GenerateAnyway(ui.OpenCabrillo());
    ReportPreviewDialog& preview = ui.program->preview();
    preview.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&preview));
    QTest::keySequence(&preview, QKeySequence::Save);
    auto* dialog = UiFixture::Find<QFileDialog>(preview, "SaveDialog1");
    QVERIFY(dialog->isVisible());
    dialog->reject();
    Q_EMIT dialog->fileSelected(QString::fromStdString(ui.FilePath("UA3ABC.cbr")));
    QVERIFY(ui.FileBytes("UA3ABC.cbr").startsWith("START-OF-LOG: 2.0\r\n"));
  }

  void TheRussianChampionshipSummaryIsInCyrillic() {
    ReportsUi ui(kRussianCw);
    SummaryDialog& window = ui.OpenReport();
    Click(window, "AddButton");
    EnterOperator(ui.program->operators(), {"Иван", "Петров", "Сергеевич", "ua3abc"});
    Click(window, "Button6");
    QString text = ui.Preview();
    QVERIFY2(text.contains(QString::fromUtf8("ОБЩИЙ РЕЗУЛЬТАТ")), qPrintable(text));
    QVERIFY(text.contains(QString::fromUtf8("Петров")));
    SaveTo(ui.program->preview(), ui.FilePath("report.sum"));
    QVERIFY(ui.FileBytes("report.sum").contains("\x8E\x81\x99\x88\x89"));  // ОБЩИЙ in 866
  }

  void OperatorsAreAddedEditedAndRemoved() {
    ReportsUi ui;
    SummaryDialog& window = ui.OpenReport();
    OperatorDialog& dialog = ui.program->operators();
    Click(window, "AddButton");
    EnterOperator(dialog, {" Ivan ", "Ivanov", "", "ua3abc"});
    PopupItem(window, "Add record")->trigger();
    // The dialog opens as it was left.
    QCOMPARE(Get(dialog, "eLastName"), QStringLiteral("Ivanov"));
    EnterOperator(dialog, {"Petr", "Petrov", "Ilyich", "R3A"});
    QCOMPARE(ui.Operators(), QStringLiteral("UA3ABC Ivan  Ivanov|R3A Petr Ilyich Petrov"));

    SelectOperator(window, 0);
    QTest::keyClick(UiFixture::Find<QListWidget>(window, "lbOperators"), Qt::Key_Return);
    QCOMPARE(Get(dialog, "eCall"), QStringLiteral("UA3ABC"));
    QCOMPARE(Get(dialog, "eSecName"), QString());
    Put(dialog, "eName", QStringLiteral("Changed"));
    Click(dialog, "Button2");
    QCOMPARE(ui.Operators(), QStringLiteral("UA3ABC Ivan  Ivanov|R3A Petr Ilyich Petrov"));

    SelectOperator(window, 1);
    Click(window, "EditButton");
    QCOMPARE(Get(dialog, "eName"), QStringLiteral("Petr"));
    EnterOperator(dialog, {"Pyotr", "Petrov", "Ilyich", "R3A/P"});
    QCOMPARE(ui.Operators(), QStringLiteral("UA3ABC Ivan  Ivanov|R3A/P Pyotr Ilyich Petrov"));

    SelectOperator(window, 0);
    PopupItem(window, "Delete record")->trigger();
    QCOMPARE(ui.Operators(), QStringLiteral("R3A/P Pyotr Ilyich Petrov"));
    SelectOperator(window, -1);
    Click(window, "RemoveButton");
    Click(window, "EditButton");
    QVERIFY(!dialog.isVisible());
    QCOMPARE(ui.Operators(), QStringLiteral("R3A/P Pyotr Ilyich Petrov"));
  }

  void TheOperatorDialogCutsAndRefuses() {
    const struct {
      OperatorInput input;
      const char* told;  ///< empty when the operator is taken
      const char* line;
    } cases[] = {
        {{"Abcdefghijklmnopqrstuvwxyz", "", "", "UA3ABCDEFGHIJK"},
         "",
         "UA3ABCDEFGHI Abcdefghijklmnopqrst"},
        {{"Иван", "", "", ""}, "", "Иван"},
        {{"Ivan", "", "", "УА3А"}, "The operator is not taken: the home call", ""},
        {{"Ivan", "\xE4\xB8\xAD", "", ""},
         "The operator is not taken: the last name holds U+4E2D",
         ""},
    };
    for (const auto& c : cases) {
      ReportsUi ui;
      SummaryDialog& window = ui.OpenReport();
      Click(window, "AddButton");
      EnterOperator(ui.program->operators(), c.input);
      bool taken = *c.told == '\0';
      QCOMPARE(ui.program->operators().isVisible(), !taken);
      QCOMPARE(ui.Operators(), QString::fromUtf8(c.line));
      if (!taken)
        QVERIFY2(ui.notifier.errors.at(0).starts_with(c.told), ui.notifier.errors.at(0).c_str());
    }
  }

  void OperatorsAndClassAreStoredOnCloseNotWhilePreviewed() {
    ReportsUi ui;
    auto stored_class = [&ui] {
      WorkspaceSettings kept = ui.Kept();
      return QString::fromStdString(kept.summary.contains("eClass") ? kept.summary.at("eClass")
                                                                    : "");
    };
    SummaryDialog& window = ui.OpenReport();
    Put(window, "eClass", QStringLiteral("SOAB"));
    Click(window, "AddButton");
    EnterOperator(ui.program->operators(), {"Иван", "Петров", "", "UA3ABC"});
    Click(window, "AddButton");
    EnterOperator(ui.program->operators(), {"Petr", "", "", "R3A"});
    Click(window, "Button4");
    QVERIFY(!window.isVisible() && ui.program->preview().isVisible());
    ui.program->preview().reject();
    QVERIFY(window.isVisible());
    QVERIFY(!ui.HasFile(kOperatorsFileName));
    QCOMPARE(stored_class(), QString());
    Click(window, "Button5");
    QVERIFY(!window.isVisible());
    QVERIFY(ui.HasFile(kOperatorsFileName));
    QCOMPARE(stored_class(), QStringLiteral("SOAB"));

    ui.Start();
    QCOMPARE(ui.Operators(), QString());
    Put(ui.OpenReport(), "eClass", QStringLiteral("SO"));
    QCOMPARE(ui.Operators(), QString::fromUtf8("UA3ABC Иван  Петров|R3A Petr"));
    ui.program->report().reject();
    QCOMPARE(stored_class(), QStringLiteral("SO"));
  }
};

}  // namespace mirva

QTEST_MAIN(mirva::ReportsWindowsTest)
#include "reports_windows_test.moc"
