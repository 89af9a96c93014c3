#include "widgets/report_fields.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <cstdio>
#include <stdexcept>

#include "guarded.h"
#include "session/session.h"
#include "text/cp1251.h"
#include "ui_text.h"
#include "workspace/workspace.h"

namespace mirva {

namespace {

constexpr int kMemoLines = 3;

std::string Refusal(const std::string& where, char32_t code_point) {
  char hex[16];
  std::snprintf(hex, sizeof hex, "%04X", static_cast<unsigned>(code_point));
  return where + " holds U+" + hex +
         ", a character that Windows-1251 cannot hold; change it and try again.";
}

std::string Exact(const QString& text, const std::string& where) {
  CheckedCp1251 converted = Utf8ToCp1251Checked(text.toStdString());
  if (converted.fault != Utf8Fault::kNone)
    throw std::runtime_error(Refusal(where, converted.code_point));
  return converted.text;
}

}  // namespace

std::string ReportText(const QString& text, const char* what) {
  return Exact(text, std::string("The ") + what);
}

std::vector<std::string> MemoLines(const QPlainTextEdit& memo, const char* what) {
  QStringList parts = memo.toPlainText().split(QLatin1Char('\n'));
  if (parts.back().isEmpty())
    parts.removeLast();
  std::vector<std::string> lines;
  for (const QString& part : parts)
    lines.push_back(Exact(part, "Line " + std::to_string(lines.size() + 1) + " of the " + what));
  return lines;
}

void KeepUpperCase(QLineEdit* edit) {
  QObject::connect(edit, &QLineEdit::textEdited, edit, [edit](const QString& text) {
    int at = edit->cursorPosition();
    edit->setText(text.toUpper());
    edit->setCursorPosition(at);
  });
}

QLabel* NewContestNameLabel(QWidget* parent, bool bold) {
  auto* label = new QLabel(parent);
  label->setObjectName(QStringLiteral("ContestNameLbl"));
  QPalette palette = label->palette();
  palette.setColor(QPalette::WindowText, QColor(0, 0, 0x80));
  label->setPalette(palette);
  QFont font = label->font();
  font.setBold(bold);
  label->setFont(font);
  return label;
}

void ShowContestName(QLabel* label, const Session& session) {
  label->setText(session.HasContest() ? ToQt(session.Contest().Name) : QString());
}

QLineEdit* NewHeaderEdit(QWidget* parent, const char* name) {
  auto* edit = new QLineEdit(parent);
  edit->setObjectName(QString::fromLatin1(name));
  return edit;
}

QPlainTextEdit* NewHeaderMemo(QWidget* parent, const char* name) {
  auto* memo = new QPlainTextEdit(parent);
  memo->setObjectName(QString::fromLatin1(name));
  memo->setTabChangesFocus(true);
  memo->setLineWrapMode(QPlainTextEdit::NoWrap);
  memo->setFixedHeight(memo->fontMetrics().lineSpacing() * kMemoLines + 12);
  return memo;
}

QLabel* AddHeaderRow(QGridLayout& grid, int row, int column, const char* caption, QWidget* control,
                     int span) {
  auto* label = new QLabel(QString::fromLatin1(caption), control->parentWidget());
  label->setBuddy(control);
  control->setAccessibleName(label->text());
  auto* box = qobject_cast<QComboBox*>(control);
  // The drop-down list of a box speaks the box's name.
  if (box)
    box->view()->setAccessibleName(label->text());
  bool one_line = box || qobject_cast<QLineEdit*>(control);
  grid.addWidget(label, row, column, one_line ? Qt::Alignment() : Qt::AlignTop);
  grid.addWidget(control, row, column + 1, 1, span);
  return label;
}

void AddContestRow(QGridLayout& grid, int row, QLabel* name, int span) {
  auto* caption = new QLabel(QStringLiteral("Contest"), name->parentWidget());
  name->setAccessibleName(caption->text());
  grid.addWidget(caption, row, 0);
  grid.addWidget(name, row, 1, 1, span);
}

void ChainTabOrder(std::initializer_list<QWidget*> widgets) {
  QWidget* const* order = widgets.begin();
  for (std::size_t i = 1; i < widgets.size(); ++i)
    QWidget::setTabOrder(order[i - 1], order[i]);
}

void StoreTexts(Workspace& workspace, Notifier& notifier, const char* section,
                std::initializer_list<const QWidget*> controls) {
  HeaderTexts texts = section == std::string_view(kWorkspaceCabrilloSection)
                          ? workspace.settings().cabrillo
                          : workspace.settings().summary;
  std::string refused;
  for (const QWidget* control : controls) {
    QString text;
    if (auto* check = qobject_cast<const QCheckBox*>(control))
      text = check->isChecked() ? QStringLiteral("true") : QStringLiteral("false");
    else if (auto* edit = qobject_cast<const QLineEdit*>(control))
      text = edit->text();
    else if (auto* box = qobject_cast<const QComboBox*>(control))
      text = box->currentText();
    else if (auto* memo = qobject_cast<const QPlainTextEdit*>(control))
      text = memo->toPlainText();
    try {
      texts[FromQt(control->objectName())] =
          Exact(text, "The " + FromQt(control->accessibleName()));
    } catch (const std::runtime_error& error) {
      if (refused.empty())
        refused = std::string(error.what()) + " It is kept as it was.";
    }
  }
  Guarded(notifier, [&] { workspace.SetHeaderTexts(section, texts); });
  if (!refused.empty())
    notifier.ShowError(refused);
}

void RestoreTexts(const HeaderTexts& texts, std::initializer_list<QWidget*> controls) {
  for (QWidget* control : controls) {
    auto stored = texts.find(FromQt(control->objectName()));
    if (stored == texts.end())
      continue;
    QString text = ToQt(stored->second);
    if (auto* check = qobject_cast<QCheckBox*>(control))
      check->setChecked(text == QLatin1String("true"));
    else if (auto* edit = qobject_cast<QLineEdit*>(control))
      edit->setText(text);
    else if (auto* box = qobject_cast<QComboBox*>(control))
      box->setCurrentText(text);
    else if (auto* memo = qobject_cast<QPlainTextEdit*>(control))
      memo->setPlainText(text);
  }
}

}  // namespace mirva
