#include "reference/callsign.h"

#include <algorithm>
#include <charconv>
#include <cstddef>

namespace mirva {

namespace {

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

bool IsUpperLetter(char c) {
  return c >= 'A' && c <= 'Z';
}

// Designators after the call that say how, not where, the station operates.
bool IsIgnoredDesignator(std::string_view designator) {
  constexpr std::string_view kIgnored[] = {"M", "MM", "A", "AM", "P", "QRP", "LGH"};
  return std::find(std::begin(kIgnored), std::end(kIgnored), designator) != std::end(kIgnored);
}

// The text from which the WPX prefix is cut, chosen by the call's '/' designator.
std::string PrefixSource(std::string_view call) {
  std::string base;
  std::string designator;
  switch (SplitPortable(call, base, designator)) {
    case 0:
      return base;
    case 1:
      if (IsIgnoredDesignator(designator))
        return base;
      if (designator.size() == 1 && IsDigit(designator[0])) {
        int p = LastDigitPos(base);
        return (p > 0 ? base.substr(0, p - 1) : std::string()) + designator;
      }
      break;
  }
  // Any other designator is the prefix, with a "0" after one of fewer than three characters.
  return designator.size() < 3 ? designator + "0" : designator;
}

int LastIndexOf(const std::vector<std::string>& lines, std::string_view text) {
  for (std::size_t i = lines.size(); i-- > 0;) {
    if (lines[i] == text)
      return static_cast<int>(i);
  }
  return -1;
}

}  // namespace

std::string TrailingLetters(std::string_view s) {
  std::size_t start = s.size();
  while (start > 0 && IsUpperLetter(s[start - 1]))
    --start;
  return std::string(s.substr(start));
}

int32_t LeadingNumber(std::string_view s) {
  std::size_t digits = 0;
  while (digits < s.size() && IsDigit(s[digits]))
    ++digits;
  int32_t value = 0;
  auto [end, ec] = std::from_chars(s.data(), s.data() + digits, value);
  if (digits == 0 || ec != std::errc())
    return -1;
  return value;
}

int SplitPortable(std::string_view call, std::string& base, std::string& designator) {
  base = call;
  designator.clear();
  std::size_t slash = call.find('/');
  if (slash == std::string_view::npos)
    return 0;
  std::string_view left = call.substr(0, slash);
  std::string_view right = call.substr(slash + 1);
  if (left.size() >= right.size()) {
    base = left;
    designator = right;
    return 1;
  }
  base = right;
  designator = left;
  return 2;
}

int LastDigitPos(std::string_view s) {
  for (std::size_t i = s.size(); i > 0; --i) {
    if (IsDigit(s[i - 1]))
      return static_cast<int>(i);
  }
  return 0;
}

std::string WpxPrefix(std::string_view call) {
  std::string s = PrefixSource(call);
  if (s.empty())
    return s;
  int p = LastDigitPos(s);
  if (p > 1)
    s.resize(p);
  if (p == 0)
    s += '0';
  return s;
}

int BandIndex(const std::vector<std::string>& bands, std::string_view band) {
  return LastIndexOf(bands, band);
}

int ModeIndex(const std::vector<std::string>& modes, std::string_view mode) {
  return LastIndexOf(modes, mode);
}

std::string RegionByCall(std::string_view call, const std::vector<TDomestic>& domestic_list) {
  std::size_t p = LastDigitPos(call);
  if (p == 0 || p == call.size())
    return "";
  std::string_view key = call.substr(p - 1, 2);
  for (const TDomestic& entry : domestic_list) {
    if (entry.Code == key)
      return entry.Name;
  }
  return "";
}

}  // namespace mirva
