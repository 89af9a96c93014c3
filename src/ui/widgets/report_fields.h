#pragma once

#include <QString>
#include <initializer_list>
#include <string>
#include <vector>

#include "workspace/workspace_settings.h"

class QGridLayout;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QWidget;

namespace mirva {

class Session;
class Notifier;
class Workspace;

/// The text of a report's header control for the core. Throws std::runtime_error, naming
/// `what`, when it holds a character Windows-1251 cannot hold, rather than lose it.
std::string ReportText(const QString& text, const char* what);

/// The lines of a memo for the core: none for an empty memo, and a break at the very end ends
/// the last line rather than starting another. Throws as ReportText, naming the line.
std::vector<std::string> MemoLines(const QPlainTextEdit& memo, const char* what);

/// Shows what is typed into the edit in upper case.
void KeepUpperCase(QLineEdit* edit);

/// The label "ContestNameLbl" with which a report window heads its header: the contest's name
/// in dark blue.
QLabel* NewContestNameLabel(QWidget* parent, bool bold);
/// Shows the open contest's name on the label; nothing when no contest is open.
void ShowContestName(QLabel* label, const Session& session);

QLineEdit* NewHeaderEdit(QWidget* parent, const char* name);
/// A memo three lines high that does not wrap; Tab moves on rather than typing a tab.
QPlainTextEdit* NewHeaderMemo(QWidget* parent, const char* name);

/// Puts `caption` in the grid as the buddy label of `control`, which follows it over `span`
/// columns and speaks the caption. The caption of a control taller than a line stands at its
/// top.
QLabel* AddHeaderRow(QGridLayout& grid, int row, int column, const char* caption, QWidget* control,
                     int span = 1);
/// Starts the grid's row with the caption "Contest" and the contest's name over `span` columns.
void AddContestRow(QGridLayout& grid, int row, QLabel* name, int span);

/// Tab moves through the widgets in the order given.
void ChainTabOrder(std::initializer_list<QWidget*> widgets);

/// Keeps the texts of line edits, combo boxes and memos, and whether check boxes are checked
/// ("true" or "false"), in a section of the workspace's settings, each under its objectName. A
/// text with a character that Windows-1251 cannot hold keeps its stored text, and the operator
/// is told.
void StoreTexts(Workspace& workspace, Notifier& notifier, const char* section,
                std::initializer_list<const QWidget*> controls);
/// Puts back the texts StoreTexts kept; a control without a kept text stays as it is.
void RestoreTexts(const HeaderTexts& texts, std::initializer_list<QWidget*> controls);

}  // namespace mirva
