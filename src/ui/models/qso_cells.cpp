#include "models/qso_cells.h"

#include "log/date_value.h"
#include "reports/report_file.h"
#include "text/strings.h"

namespace mirva {

std::string ViewDate(double date) {
  return FormatDate(date, "dd-mmm-yyyy");
}

std::string JoinedReport(std::string_view report, std::string_view number) {
  std::string text(report);
  text += ' ';
  text += number;
  return text;
}

std::string PointsText(int32_t points, int32_t points2, int32_t points3) {
  std::string text =
      std::to_string(points) + ' ' + NumberOrEmpty(points2) + ' ' + NumberOrEmpty(points3);
  return std::string(Trim(text));
}

}  // namespace mirva
