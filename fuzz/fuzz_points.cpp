// Feeds arbitrary bytes to the points table parser and checks that a table it read reads the
// same again from its own text.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "error.h"
#include "reference/domestic.h"

namespace {

std::string TableText(const mirva::TPointsTable& table) {
  std::string text;
  for (const auto& row : table.cells) {
    for (int32_t cell : row)
      text += std::to_string(cell) + "\t";
    text += "\r\n";
  }
  return text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view text(reinterpret_cast<const char*>(data), size);
  mirva::TPointsTable table;
  try {
    mirva::ParsePointsTable(text, table);
  } catch (const mirva::ConversionError&) {
    return 0;
  }
  for (int outside : {-1, 0, mirva::TPointsTable::kZones + 1}) {
    if (table.At(outside, 1) != 0 || table.At(1, outside) != 0)
      std::abort();
  }
  mirva::TPointsTable again;
  mirva::ParsePointsTable(TableText(table), again);
  if (again.cells != table.cells)
    std::abort();
  return 0;
}
