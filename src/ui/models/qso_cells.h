#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace mirva {

/// A QSO's date as the log views show it: "05-Dec-2026", English months in any locale.
std::string ViewDate(double date);

/// A report and its exchange in one cell, one blank between them.
std::string JoinedReport(std::string_view report, std::string_view number);

/// The three point fields in one cell: the bonus points are left empty when 0 and the whole
/// is trimmed, so 1, 0, 100 reads "1  100" and 3, 0, 0 reads "3".
std::string PointsText(int32_t points, int32_t points2, int32_t points3);

}  // namespace mirva
