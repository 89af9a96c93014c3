// Reads arbitrary bytes as the stored settings and checks that every station text it takes
// passes the input rule, that each notice names a line of the text in order, and that CR LF
// line ends read as LF ones do.
#include <cstddef>
#include <cstdint>
#include <limits>
#include <string>
#include <string_view>

#include "fuzz_check.h"
#include "log/input_rule.h"
#include "session/stored_settings.h"
#include "text/strings.h"

namespace {

bool SameSettings(const mirva::StoredSettings& a, const mirva::StoredSettings& b) {
  if (a.contest_index != b.contest_index || a.station != b.station ||
      a.notices.size() != b.notices.size())
    return false;
  for (std::size_t i = 0; i < a.notices.size(); ++i) {
    if (a.notices[i].line != b.notices[i].line || a.notices[i].text != b.notices[i].text)
      return false;
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view text(reinterpret_cast<const char*>(data), size);
  const mirva::StoredSettings settings = mirva::ParseStoredSettings(text);

  if (settings.station) {
    for (const mirva::StationSettingKey& key : mirva::kStationSettingKeys) {
      bool call = key.member == &mirva::TStationCFG::Call;
      mirva::InputField field{key.key, std::numeric_limits<std::size_t>::max(), call};
      mirva_fuzz::Check(mirva::CheckInputText(field, (*settings.station).*key.member).fault ==
                        mirva::InputFault::kNone);
    }
  }

  std::size_t lines = mirva::SplitLines(text).size();
  std::size_t last = 1;
  for (const mirva::SettingsNotice& notice : settings.notices) {
    mirva_fuzz::Check(notice.line >= last && notice.line <= lines && !notice.text.empty());
    last = notice.line;
  }

  if (text.find('\r') == std::string_view::npos) {
    std::string crlf;
    for (char c : text)
      crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    mirva_fuzz::Check(SameSettings(mirva::ParseStoredSettings(crlf), settings));
  }
  return 0;
}
