#include "dialogs/report_preview_dialog.h"

#include <QAction>
#include <QFileDialog>
#include <QPlainTextEdit>
#include <QScreen>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>
#include <optional>

#include "guarded.h"
#include "reports/report_file.h"
#include "session/output_file.h"
#include "ui_text.h"
#include "working_directory.h"

namespace mirva {

namespace {

const char* const kFilters[] = {"Cabrillo files (*.cbr)", "Report files (*.all)",
                                "Summary files (*.sum)", "Text files (*.txt)", "All files (*)"};

}  // namespace

ReportPreviewDialog::ReportPreviewDialog(AppServices services, QWidget* parent)
    : QDialog(parent),
      services_(services),
      memo_(new QPlainTextEdit(this)),
      save_button_(new QToolButton(this)),
      save_dialog_(new QFileDialog(this, QStringLiteral("Save report"))) {
  setObjectName(QStringLiteral("TReportPreviewWin"));
  setWindowTitle(QStringLiteral("Report preview"));
  memo_->setObjectName(QStringLiteral("Memo1"));
  memo_->setAccessibleName(QStringLiteral("Report preview"));
  memo_->setLineWrapMode(QPlainTextEdit::NoWrap);
  memo_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  memo_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  QFont font;
  font.setFamilies({QStringLiteral("Courier New"), QStringLiteral("DejaVu Sans Mono")});
  font.setStyleHint(QFont::TypeWriter);
  memo_->setFont(font);

  // The save is a captioned button and Ctrl+S (the platform's Save keys) anywhere in the window.
  auto* save = new QAction(style()->standardIcon(QStyle::SP_DialogSaveButton),
                           QStringLiteral("Save\u2026"), this);
  save->setObjectName(QStringLiteral("SaveAction"));
  save->setShortcuts(QKeySequence::Save);
  save->setToolTip(QStringLiteral("Save the report to a file (%1)")
                       .arg(save->shortcut().toString(QKeySequence::NativeText)));
  connect(save, &QAction::triggered, this, &ReportPreviewDialog::SpeedButton1Click);
  addAction(save);
  save_button_->setObjectName(QStringLiteral("SpeedButton1"));
  save_button_->setAutoRaise(true);
  save_button_->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
  save_button_->setDefaultAction(save);
  save_button_->setAccessibleName(QStringLiteral("Save"));

  save_dialog_->setObjectName(QStringLiteral("SaveDialog1"));
  save_dialog_->setAcceptMode(QFileDialog::AcceptSave);
  save_dialog_->setFileMode(QFileDialog::AnyFile);
  QStringList filters;
  for (const char* filter : kFilters)
    filters << QLatin1String(filter);
  save_dialog_->setNameFilters(filters);
  connect(save_dialog_, &QFileDialog::fileSelected, this, &ReportPreviewDialog::SaveTo);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(save_button_, 0, Qt::AlignLeft);
  layout->addWidget(memo_);
  resize(720, 520);
}

void ReportPreviewDialog::ShowReport(const PreviewReport& report) {
  ReportLines shown;
  for (const std::string& line : report.lines)
    AddText(shown, line);
  QStringList lines;
  for (const std::string& line : shown)
    lines << ToQt(line);
  memo_->setPlainText(lines.join(QLatin1Char('\n')));
  save_dialog_->setDefaultSuffix(report.suffix);
  file_name_ = QString::fromStdString(ReportFileName(report.call, report.suffix.toStdString()));
  if (report.filter >= 1 && report.filter <= static_cast<int>(std::size(kFilters)))
    save_dialog_->selectNameFilter(QLatin1String(kFilters[report.filter - 1]));
  open();
}

void ReportPreviewDialog::showEvent(QShowEvent* event) {
  if (const QScreen* shown_on = screen())
    move(shown_on->availableGeometry().center() - rect().center());
  memo_->setFocus();
  QDialog::showEvent(event);
}

void ReportPreviewDialog::SpeedButton1Click() {
  save_dialog_->setDirectory(WorkingDirectory(services_.session));
  save_dialog_->selectFile(file_name_);
  save_dialog_->open();
}

bool ReportPreviewDialog::SaveTo(const QString& path) {
  QString text = memo_->toPlainText();
  QStringList lines = text.isEmpty() ? QStringList() : text.split(QLatin1Char('\n'));
  std::vector<std::string> typed;
  for (const QString& line : lines)
    typed.push_back(line.toStdString());
  if (std::optional<std::string> problem = UnsavableReportText(typed)) {
    services_.notifier.ShowError(*problem);
    return false;
  }
  ReportLines report;
  for (const QString& line : lines)
    report.push_back(FromQt(line));
  return Guarded(services_.notifier, [&] {
    WriteOutputFile(services_.session, path.toStdString(), ReportFileBytes(report));
  });
}

}  // namespace mirva
