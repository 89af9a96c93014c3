// Feeds arbitrary bytes to the call history reader as two files, the second over the first,
// and checks what the reader keeps.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz_check.h"
#include "history/call_history.h"
#include "reference/master_calls.h"
#include "text/strings.h"

namespace {

using mirva_fuzz::Check;

void CheckReport(const mirva::HistoryFileReport& report) {
  Check(report.calls + report.skipped <= report.lines);
  Check(report.skipped_lines.size() <= mirva::kSkippedLinesKept);
  Check(report.skipped_lines.size() == std::min(report.skipped, mirva::kSkippedLinesKept));
  Check(report.problem.empty() || (report.lines == 0 && report.calls == 0));
  Check(!mirva::HistoryReportText(report).empty());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view text(reinterpret_cast<const char*>(data), size);
  // The first byte says where the second file starts.
  std::size_t cut = size == 0 ? 0 : data[0] * size / 256;
  mirva::CallHistory history;
  CheckReport(history.Add("a.txt", text.substr(0, cut)));
  CheckReport(history.Add("b.txt", text.substr(cut)));
  for (const std::string& column : history.columns()) {
    for (std::string_view call : {"K1ABC", "DL1ABC", "UA3ABC"}) {
      std::string_view value = history.Value(call, column);
      Check(value.empty() || history.Has(call));
      for (char c : value)
        Check(!mirva::IsControlChar(c));
    }
  }
  return 0;
}
