// Reads arbitrary bytes as the band-plan file, and checks that the grid it gives holds no
// separator of the file, is at least the initial grid, and reads back unchanged once written.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "fuzz_check.h"
#include "memory_file_system.h"
#include "reference/band_plan.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  std::optional<mirva::BandPlan> plan = mirva::ParseBandPlan(bytes);
  if (!plan)
    return 0;
  const mirva::BandPlan initial = mirva::InitialBandPlan();
  mirva_fuzz::Check(plan->Columns() >= initial.Columns() && plan->Rows() >= initial.Rows());
  mirva_fuzz::Check(plan->Columns() <= mirva::BandPlan::kMaxColumns &&
                    plan->Rows() <= mirva::BandPlan::kMaxRows);
  for (std::size_t r = 0; r < plan->Rows(); ++r)
    for (std::size_t c = 0; c < plan->Columns(); ++c)
      mirva_fuzz::Check(plan->Cell(c, r).find_first_of("\t\r\n") == std::string::npos);

  mirva::MemoryFileSystem fs;
  const std::string path = mirva::kBandPlanFileName;
  mirva::WriteBandPlan(fs, path, *plan);
  mirva_fuzz::Check(fs.files.size() == 1);
  mirva_fuzz::Check(mirva::ReadBandPlan(fs, path) == *plan);
  mirva_fuzz::Check(mirva::BandPlanText(mirva::ReadBandPlan(fs, path)) == fs.files[path]);
  return 0;
}
