// Feeds arbitrary bytes to the domestic list and point table parsers.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "error.h"
#include "reference/domestic.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view text(reinterpret_cast<const char*>(data), size);
  std::vector<mirva::TDomestic> list = mirva::ParseDomesticList(text);
  for (const mirva::TDomestic& entry : list) {
    if (entry.Code.find_first_of(" =") != std::string::npos ||
        entry.Name.find_first_of(" =") != std::string::npos ||
        (entry.Code.empty() && !entry.Name.empty()))
      std::abort();
  }
  mirva::TPointsTable table;
  try {
    mirva::ParsePointsTable(text, table);
  } catch (const mirva::ConversionError&) {
  }
  for (int row = -1; row <= 42; ++row) {
    for (int column = -1; column <= 42; ++column)
      (void)table.At(row, column);
  }
  return 0;
}
