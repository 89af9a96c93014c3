#include "reports/russian_report.h"

#include <array>

#include "log/date_value.h"
#include "session/session.h"
#include "text/c_format.h"
#include "text/cp1251.h"

namespace mirva {

namespace {

/// A Windows-1251 text from the UTF-8 of this source file.
std::string Ru(std::string_view utf8) {
  return Utf8ToCp1251(utf8);
}

/// The N column: the running count of band changes, shown on the QSO that changed the band.
std::string BandChange(const QsoLog& log, std::size_t i, int& changes) {
  if (i == 0 || log.Record(i).Band() == log.Record(i - 1).Band())
    return "";
  return std::to_string(++changes);
}

/// One line of the operator block: the label and a field of the first three operators.
std::string OperatorRow(std::string_view label, const std::vector<TOperator>& ops,
                        std::string TOperator::*field) {
  std::array<std::string, 3> values;
  for (std::size_t i = 0; i < values.size() && i < ops.size(); ++i)
    values[i] = ops[i].*field;
  return CFormat(Ru(label) + "      %-15s %-15s %-15s", {values[0], values[1], values[2]});
}

void AddOperators(ReportLines& lines, const std::vector<TOperator>& ops) {
  lines.push_back(Ru("Операторы      :          1               2               3"));
  lines.push_back(OperatorRow("Фамилия        :", ops, &TOperator::LastName));
  lines.push_back(OperatorRow("Имя            :", ops, &TOperator::Name));
  lines.push_back(OperatorRow("Отчество       :", ops, &TOperator::SecName));
  lines.push_back(OperatorRow("Спорт. разряд  :", ops, &TOperator::SportsRank));
  lines.push_back(OperatorRow("Личный позывной:", ops, &TOperator::Call));
}

void AddResults(ReportLines& lines, const Session& session) {
  QsoLog log = session.log().QSOLog();
  lines.insert(lines.end(),
               {Ru("ТАБЛИЦА  РЕЗУЛЬТАТОВ:"), "", Ru("Диапазон  Связей  Очков   Очков   Очков"),
                Ru("                    за      за      за"),
                Ru("                  связи  кор-тов   зоны")});
  for (const std::string& band : session.Contest().Bands) {
    int64_t qsos = 0, points = 0;
    for (const TQSOData& q : log) {
      if (q.Band == band) {
        ++qsos;
        points += q.Points;
      }
    }
    lines.push_back(
        CFormat("  %3s      %5s  %5s", {band, std::to_string(qsos), std::to_string(points)}));
  }
  int64_t sums[3] = {};
  for (const TQSOData& q : log) {
    sums[0] += q.Points;
    sums[1] += q.Points2;
    sums[2] += q.Points3;
  }
  lines.push_back(
      CFormat(Ru("Всего:     %5d  %5d   %5d  %5d"), {log.size(), sums[0], sums[1], sums[2]}));
  lines.push_back("");
  lines.push_back(CFormat(Ru("ОБЩИЙ РЕЗУЛЬТАТ:  %5d + %5d +%5d = %6d очков"),
                          {sums[0], sums[1], sums[2], sums[0] + sums[1] + sums[2]}));
}

}  // namespace

ReportLines RussianAllReport(const Session& session, const ReportHeader& header) {
  ReportLines lines = {
      "Contest: " + session.Contest().Name,
      "Callsign: " + header.Call,
      "",
      CFormat(
          "%-10s %4s  %2s %4s   %3s   %-12s  %5s  %5s  %3s  %3s %5s",
          {"Date", "Band", "N", "Mode", "UTC", "Callsign", "Sent", "Rcvd", "QSO", "QRA", "Zones"}),
      CFormat("%10s %4s  %2s %4s   %3s   %-12s  %5s  %5s  %3s  %3s  %3s",
              {"", "", "", "", "", "", "", "", "pts", "pts", "pts"}),
  };
  QsoLog log = session.log().QSOLog();
  int changes = 0;
  for (std::size_t i = 0; i < log.size(); ++i) {
    const TQSOData& q = log[i];
    lines.push_back(
        CFormat("%10s  %3s  %2s  %3s  %5s  %-12s  %5s  %5s  %3s  %3s  %3s",
                {FormatDate(q.QSODate, "mm-dd-yyyy"), q.Band, BandChange(log, i, changes), q.Mode,
                 q.QSOTime, q.Call, q.NumberSent, q.NumberRcvd, NumberOrEmpty(q.Points),
                 NumberOrEmpty(q.Points2), NumberOrEmpty(q.Points3)}));
  }
  return lines;
}

ReportLines RussianSummarySheet(const Session& session, const ReportHeader& header, double today) {
  ReportLines lines = {Ru("Соревнования   : ") + session.Contest().Name,
                       Ru("Позывной       : ") + header.Call, Ru("Дата           : "),
                       Ru("Подгруппа      : ") + header.Class, ""};
  AddOperators(lines, header.Operators);
  lines.push_back("");
  AddText(lines, IndentedLines(Ru("Адрес          : "), header.Address, 17));
  lines.insert(lines.end(), {Ru("E-mail         : "), Ru("Зачетное время : ") + header.Period, ""});
  AddResults(lines, session);
  lines.insert(lines.end(), {"", Ru("Я свидетельствую, что в данных соревнованиях соблюдал"),
                             Ru("требования Инструкции Госсвязьнадзора РФ, Правила по"),
                             Ru("радиоспорту и Положение о соревнованияхю"), ""});
  std::string calls = Ru("Оператор(ы): ");
  for (const TOperator& op : header.Operators)
    calls += op.Call + " ";
  lines.insert(lines.end(), {calls, ""});
  AddText(lines, Ru("Аппаратура/антенны: ") + MemoText(header.Equipment));
  lines.push_back("");
  AddText(lines, Ru("Примечания: ") + MemoText(header.Comments));
  lines.insert(lines.end(),
               {"", Ru("Дата: ") + FormatDate(today, "mm-dd-yyyy"), "Mirva contest module"});
  return lines;
}

}  // namespace mirva
