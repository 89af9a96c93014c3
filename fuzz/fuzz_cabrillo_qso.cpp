// Feeds arbitrary bytes to the Cabrillo QSO-line reader, line by line.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <initializer_list>
#include <string_view>

#include "log/cabrillo_qso.h"
#include "log/date_value.h"
#include "text/strings.h"

namespace {

bool OneOf(std::string_view text, std::initializer_list<std::string_view> allowed) {
  for (std::string_view a : allowed) {
    if (text == a)
      return true;
  }
  return false;
}

void CheckLine(std::string_view line) {
  mirva::CabrilloLine read = mirva::ReadCabrilloLine(line);
  if (!read.qso)
    return;
  const mirva::CabrilloQso& q = *read.qso;
  if (!read.error.empty() || !OneOf(q.Band, {"160", "80", "40", "20", "15", "10"}) ||
      !OneOf(q.Mode, {"CW", "SSB", "RTTY", "DIGI", "FM"}) ||
      mirva::ParseTimeOfDay(q.QSOTime) != q.QSOTime ||
      mirva::ParseIsoDate(mirva::FormatIsoDate(q.QSODate)) != q.QSODate || q.Call.empty() ||
      q.NumberRcvd.empty())
    std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view text(reinterpret_cast<const char*>(data), size);
  CheckLine(text);
  for (std::string_view line : mirva::SplitLines(text))
    CheckLine(line);
  return 0;
}
