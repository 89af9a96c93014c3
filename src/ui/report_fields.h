#pragma once

#include <QString>
#include <initializer_list>
#include <string>
#include <vector>

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QWidget;

namespace mirva {

/// The text of a report's header control for the core. Throws std::runtime_error, naming
/// `what`, when it holds a character Windows-1251 cannot hold, rather than lose it.
std::string ReportText(const QString& text, const char* what);

/// The lines of a memo for the core: none for an empty memo, and a break at the very end ends
/// the last line rather than starting another. Throws as ReportText, naming the line.
std::vector<std::string> MemoLines(const QPlainTextEdit& memo, const char* what);

/// Shows what is typed into the edit in upper case.
void KeepUpperCase(QLineEdit* edit);

/// Draws the label of a contest's name as the report windows head their header with it.
void StyleContestName(QLabel* label, bool bold);

/// Stores the texts of line edits, combo boxes and memos in a section of the stored settings,
/// each under its objectName.
void StoreTexts(const char* section, std::initializer_list<const QWidget*> controls);
/// Puts back the texts StoreTexts kept; a control without a stored text stays as it is.
void RestoreTexts(const char* section, std::initializer_list<QWidget*> controls);

}  // namespace mirva
