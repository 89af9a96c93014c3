#pragma once

#include <QDate>
#include <QString>
#include <string>
#include <string_view>

namespace mirva {

/// Core text (Windows-1251 bytes) as Qt shows it.
QString ToQt(std::string_view cp1251);
/// A text of a window for the core, in Windows-1251; a character that code page cannot hold
/// becomes "?". Fields of the log go through the input rule instead.
std::string FromQt(const QString& text);

/// A date value of the log (days since 1899-12-30) as a calendar date, and back.
QDate ToQDate(double value);
double FromQDate(QDate date);

}  // namespace mirva
