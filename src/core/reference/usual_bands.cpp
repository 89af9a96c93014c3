#include "reference/usual_bands.h"

#include <string>

#include "reference/band_choice.h"
#include "text/strings.h"

namespace mirva {
namespace {

// Wide enough for every region; the sub-band starts follow the common contest practice.
constexpr UsualBand kUsualBands[] = {
    {"160", 1800000, 2000000, 1800000, 1840000, 0},
    {"80", 3500000, 4000000, 3500000, 3600000, 3570000},
    {"40", 7000000, 7300000, 7000000, 7060000, 7040000},
    {"30", 10100000, 10150000, 10100000, 0, 10130000},
    {"20", 14000000, 14350000, 14000000, 14100000, 14070000},
    {"17", 18068000, 18168000, 18068000, 18110000, 18095000},
    {"15", 21000000, 21450000, 21000000, 21150000, 21070000},
    {"12", 24890000, 24990000, 24890000, 24930000, 24915000},
    {"10", 28000000, 29700000, 28000000, 28300000, 28070000},
    {"6", 50000000, 54000000, 50000000, 50100000, 0},
    {"2", 144000000, 148000000, 144000000, 144150000, 0},
};

void Fill(BandPlan& plan, std::size_t column, std::size_t row, std::int64_t hz) {
  if (hz != 0 && Trim(plan.Cell(column, row)).empty())
    plan.SetCell(column, row,
                 std::to_string(hz / 1000) + (hz % 1000 ? "." + std::to_string(hz % 1000) : ""));
}

}  // namespace

const UsualBand* FindUsualBand(std::string_view band) {
  for (const UsualBand& usual : kUsualBands)
    if (usual.name == band)
      return &usual;
  return nullptr;
}

BandPlan WithUsualBands(BandPlan plan) {
  for (const UsualBand& usual : kUsualBands) {
    std::size_t row = 1;
    while (row < plan.Rows() && plan.Cell(kPlanBandColumn, row) != usual.name)
      ++row;
    if (row == plan.Rows())
      plan.SetCell(kPlanBandColumn, row, usual.name);
    Fill(plan, kPlanStartColumn, row, usual.low);
    Fill(plan, kPlanEndColumn, row, usual.high);
    Fill(plan, kPlanCwColumn, row, usual.cw);
    Fill(plan, kPlanSsbColumn, row, usual.ssb);
    Fill(plan, kPlanDigiColumn, row, usual.digi);
  }
  return plan;
}

}  // namespace mirva
