#include <QAction>
#include <QCheckBox>
#include <QFileDialog>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QtTest>
#include <optional>

#include "dialogs/about_dialog.h"
#include "dialogs/radio_dialog.h"
#include "program_version.h"
#include "reports/adif.h"
#include "reports/adif_standard.h"
#include "ui_fixture.h"
#include "ui_text.h"

namespace mirva {

namespace {

std::optional<std::string> ReadBytes(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly))
    return std::nullopt;
  return file.readAll().toStdString();
}

void WriteBytes(const QString& path, const std::string& bytes) {
  QFile file(path);
  QVERIFY(file.open(QIODevice::WriteOnly));
  file.write(bytes.data(), static_cast<qint64>(bytes.size()));
}

QTableWidget* Grid(const RadioDialog& window) {
  return UiFixture::Find<QTableWidget>(window, "sgFreqList");
}

}  // namespace

class BandPlanAboutTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void TheGridShowsTheFileOrTheInitialPlan() {
    struct Case {
      const char* name;
      std::optional<std::string> file;
      int columns;
      int rows;
      int row;
      int column;
      const char* text;
    };
    const Case cases[] = {
        {"no file", std::nullopt, 6, 7, 6, 0, "10"},
        {"more rows and columns", std::string(8, '\n') + "6\t50000\t\t\t\t\t\tFT8\t", 8, 9, 8, 7,
         "FT8"},
        {"Cyrillic text", "\xCF\xEB\xE0\xED\t", 6, 7, 0, 0, "План"},
        {"a file past the limits", std::string(200, '\t') + "x", 6, 7, 0, 3, "CW"},
    };
    for (const Case& c : cases) {
      UiFixture ui;
      if (c.file)
        WriteBytes(ui.dir.filePath(QStringLiteral("bandplan.mrv")), *c.file);
      Program& program = ui.Start();
      QTableWidget* grid = Grid(program.vextal());
      QCOMPARE(grid->columnCount(), c.columns);
      QCOMPARE(grid->rowCount(), c.rows);
      QVERIFY2(grid->item(c.row, c.column)->text() == QString::fromUtf8(c.text), c.name);
      QVERIFY2(ui.notifier.errors.empty(), c.name);
    }
  }

  void OkSavesTheGridAndCancelLeavesTheFile() {
    struct Case {
      const char* button;
      bool saved;
    };
    for (Case c : {Case{"BitBtn1", true}, Case{"BitBtn2", false}}) {
      UiFixture ui;
      const QString file = ui.dir.filePath(QStringLiteral("Bandplan.mrv"));
      Program& program = ui.Start();
      UiFixture::Find<QAction>(program.main(), "Vextalsetup1")->trigger();
      RadioDialog& window = program.vextal();
      QVERIFY(window.isVisible() && window.isModal());
      QTableWidget* grid = Grid(window);
      int column = 1;
      for (const char* value : {"14000", "14350", "14000", "14100", "14070\t\r\n"})
        grid->item(4, column++)->setText(QLatin1String(value));
      UiFixture::Find<QPushButton>(window, c.button)->click();
      QVERIFY2(!window.isVisible(), c.button);
      std::optional<std::string> bytes = ReadBytes(file);
      QCOMPARE(bytes.has_value(), c.saved);
      if (bytes) {
        QList<QByteArray> lines = QByteArray::fromStdString(*bytes).split('\n');
        QCOMPARE(lines.value(4), QByteArray("20\t14000\t14350\t14000\t14100\t14070   \t\r"));
      }
      // The edits stay in the grid for the rest of the run, separators blanked.
      QCOMPARE(grid->item(4, 5)->text(), QStringLiteral("14070   "));
    }
  }

  void AFailedSaveIsShownAndTheWindowStaysOpen() {
    UiFixture ui;
    // A folder in the file's place cannot be replaced by a file.
    QVERIFY(QDir(ui.dir.path()).mkdir(QStringLiteral("Bandplan.mrv")));
    Program& program = ui.Start();
    program.vextal().open();
    UiFixture::Find<QPushButton>(program.vextal(), "BitBtn1")->click();
    QCOMPARE(ui.notifier.errors.size(), std::size_t{1});
    QVERIFY(QString::fromStdString(ui.notifier.errors[0]).contains(QLatin1String("Bandplan.mrv")));
    QVERIFY(program.vextal().isVisible());
  }

  void AboutShowsTheVersionAndTheWorkingDirectory() {
    UiFixture ui;
    Program& program = ui.Start();
    UiFixture::Find<QAction>(program.main(), "About1")->trigger();
    AboutDialog& about = program.about();
    QVERIFY(about.isVisible() && about.isModal());
    QString text;
    for (const QLabel* label : about.findChildren<QLabel*>())
      text += label->text() + QLatin1Char('\n');
    QVERIFY(text.contains(ToQt(ProgramVersion())));
    QVERIFY2(text.contains(QDir::toNativeSeparators(QFileInfo(ui.dir.path()).absoluteFilePath())),
             qPrintable(text));
    UiFixture::Find<QPushButton>(about, "OKButton")->click();
    QVERIFY(!about.isVisible());
  }

  void ExportToAdifWritesTheLogAsAdif() {
    UiFixture ui;
    Program& program = ui.Start();
    ui.session->SaveQso(TestQso("DL1ABC"));
    TQSOData blank = TestQso("");
    ui.session->SaveQso(blank);
    ui.session->SaveQso(TestQso("UA3ABC", "40", "12:05"));
    struct Case {
      const char* name;
      QString path;
      bool written;
    };
    const Case cases[] = {
        {"a new file gets the suffix", ui.dir.filePath(QStringLiteral("contest")), true},
        {"the log is never written over", ui.dir.filePath(QStringLiteral("mrvtest.dat")), false},
    };
    for (const Case& c : cases) {
      ui.notifier.errors.clear();
      const std::optional<std::string> log_before = ReadBytes(ui.dir.filePath("mrvtest.dat"));
      QAction* item = UiFixture::Find<QAction>(program.main(), "Exporttoadif1");
      QVERIFY(item->isEnabled());
      item->trigger();
      auto* dialog = UiFixture::Find<QFileDialog>(program.main(), "SaveDialog1");
      QVERIFY(dialog && dialog->isVisible());
      QVERIFY(!dialog->testOption(QFileDialog::DontConfirmOverwrite));
      if (c.written) {
        dialog->selectFile(c.path);
        static_cast<QDialog*>(dialog)->accept();
        QVERIFY2(ui.notifier.errors.empty(), c.name);
        QCOMPARE(ReadBytes(c.path + QStringLiteral(".adi")),
                 std::optional(AdifText(ui.session->log().QSOLog())));
      } else {
        // The dialog would ask before replacing the file; the operator said yes.
        Q_EMIT dialog->fileSelected(c.path);
        dialog->reject();
        QCOMPARE(ui.notifier.errors.size(), std::size_t{1});
        QCOMPARE(ReadBytes(ui.dir.filePath("mrvtest.dat")), log_before);
      }
    }
  }

  void TheStandardChoiceExportsStandardAdif() {
    UiFixture ui;
    Program& program = ui.Start();
    ui.session->SaveQso(TestQso("DL1ABC"));
    UiFixture::Find<QAction>(program.main(), "Exporttoadif1")->trigger();
    auto* dialog = UiFixture::Find<QFileDialog>(program.main(), "SaveDialog1");
    QCOMPARE(dialog->directory().absolutePath(), QFileInfo(ui.dir.path()).absoluteFilePath());
    QCOMPARE(dialog->selectedNameFilter(), QStringLiteral("ADIF files (*.adi)"));
    auto* standard = UiFixture::Find<QRadioButton>(*dialog, "rbStandardAdif");
    QVERIFY(standard->isVisible() && !standard->isChecked());
    QVERIFY(
        UiFixture::Find<QLabel>(*dialog, "lblAdifFormat")->text().contains(QLatin1String("LoTW")));
    standard->click();
    dialog->selectFile(ui.dir.filePath(QStringLiteral("standard.adi")));
    static_cast<QDialog*>(dialog)->accept();
    QVERIFY(ui.notifier.errors.empty());
    std::optional<std::string> written = ReadBytes(ui.dir.filePath(QStringLiteral("standard.adi")));
    QVERIFY(written);
    // The header differs in its creation time only.
    std::string expected = StandardAdifText(
        ui.session->log().QSOLog(), {std::string(ProgramVersion()),
                                     {},
                                     ui.session->HasContest() ? ui.session->Contest().Name : "",
                                     ui.session->StationCfg().Call});
    auto records = [](const std::string& text) { return text.substr(text.find("<EOH>")); };
    QCOMPARE(records(*written), records(expected));
    QVERIFY(written->starts_with("ADIF export of Mirva contest module\r\n<ADIF_VER:5>3.1.4 "));
  }

  void EveryControlHasANameAScreenReaderSpeaks() {
    UiFixture ui;
    Program& program = ui.Start();
    QCOMPARE(Unspoken({&program.vextal(), &program.about()}), QStringList());
  }
};

}  // namespace mirva

QTEST_MAIN(mirva::BandPlanAboutTest)
#include "bandplan_about_test.moc"
