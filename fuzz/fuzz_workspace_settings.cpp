// Reads arbitrary bytes as a working directory's settings file and checks that every station
// text it takes passes the station's rule, that each notice names a line of the text, and that
// what it took is written and read back unchanged.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "fuzz_check.h"
#include "text/strings.h"
#include "workspace/workspace_settings.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view text(reinterpret_cast<const char*>(data), size);
  const mirva::ParsedWorkspace parsed = mirva::ParseWorkspaceSettings(text);
  if (parsed.settings.station)
    mirva_fuzz::Check(mirva::StationRefusal(*parsed.settings.station).empty());
  std::size_t lines = mirva::SplitLines(text).size();
  for (const mirva::SettingsNotice& notice : parsed.notices)
    mirva_fuzz::Check(notice.line >= 1 && notice.line <= lines && !notice.text.empty());
  mirva::ParsedWorkspace again =
      mirva::ParseWorkspaceSettings(mirva::WorkspaceSettingsText(parsed.settings));
  mirva_fuzz::Check(again.settings == parsed.settings);
  return 0;
}
