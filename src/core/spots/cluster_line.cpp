#include <algorithm>
#include <charconv>
#include <initializer_list>
#include <optional>

#include "spots/spot.h"
#include "text/strings.h"

namespace mirva {

namespace {

constexpr std::string_view kSpotStart = "DX de ";
constexpr std::size_t kMaxCall = 16;
constexpr std::size_t kMaxWholeDigits = 8;  // 99 GHz in kHz
constexpr std::size_t kMaxDecimals = 3;

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

bool IsLetter(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

char Upper(char c) {
  return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

std::string UpperAscii(std::string_view text) {
  std::string upper(text);
  std::transform(upper.begin(), upper.end(), upper.begin(), Upper);
  return upper;
}

bool StartsWithNoCase(std::string_view text, std::string_view start) {
  if (text.size() < start.size())
    return false;
  for (std::size_t i = 0; i < start.size(); ++i)
    if (Upper(text[i]) != Upper(start[i]))
      return false;
  return true;
}

/// The line with control characters dropped and a TAB as a blank.
std::string Clean(std::string_view line) {
  std::string text;
  text.reserve(line.size());
  for (char c : line) {
    if (c == '\t')
      text += ' ';
    else if (!IsControlChar(c))
      text += c;
  }
  return text;
}

/// The next blank-separated word of `rest`, taken off its front.
std::string_view TakeWord(std::string_view& rest) {
  rest = Trim(rest);
  std::size_t end = 0;
  while (end < rest.size() && static_cast<unsigned char>(rest[end]) > ' ')
    ++end;
  std::string_view word = rest.substr(0, end);
  rest.remove_prefix(end);
  return word;
}

/// The last blank-separated word of `rest`, taken off its back.
std::string_view TakeLastWord(std::string_view& rest) {
  rest = Trim(rest);
  std::size_t start = rest.size();
  while (start > 0 && static_cast<unsigned char>(rest[start - 1]) > ' ')
    --start;
  std::string_view word = rest.substr(start);
  rest.remove_suffix(word.size());
  return word;
}

/// Hz of a kHz figure with at most three decimals after a '.'.
std::optional<std::int64_t> Kilohertz(std::string_view text) {
  std::size_t point = text.find('.');
  std::string_view whole = text.substr(0, point);
  std::string_view decimals = point == std::string_view::npos ? "" : text.substr(point + 1);
  auto digits = [](std::string_view part) {
    return std::all_of(part.begin(), part.end(), IsDigit);
  };
  if (whole.empty() || whole.size() > kMaxWholeDigits || decimals.size() > kMaxDecimals ||
      !digits(whole) || !digits(decimals) || (point != std::string_view::npos && decimals.empty()))
    return std::nullopt;
  std::int64_t hz = 0;
  for (char c : whole)
    hz = hz * 10 + (c - '0');
  for (std::size_t d = 0; d < kMaxDecimals; ++d)
    hz = hz * 10 + (d < decimals.size() ? decimals[d] - '0' : 0);
  if (hz <= 0)
    return std::nullopt;
  return hz;
}

/// A callsign as stations write it: letters, digits and '/', with a letter and a digit, no '/'
/// at either end.
bool PlausibleCall(std::string_view call) {
  if (call.size() < 3 || call.size() > kMaxCall || call.front() == '/' || call.back() == '/')
    return false;
  bool letter = false;
  bool digit = false;
  for (char c : call) {
    letter = letter || IsLetter(c);
    digit = digit || IsDigit(c);
    if (!IsLetter(c) && !IsDigit(c) && c != '/')
      return false;
  }
  return letter && digit;
}

/// A spotter may add a node's suffixes to its call: "-2", "-#", "-2-#", "-@".
bool PlausibleSpotter(std::string_view spotter) {
  std::vector<std::string_view> parts = SplitWords(spotter, "-");
  if (parts.empty() || spotter.front() == '-' || spotter.back() == '-' ||
      spotter.find("--") != std::string_view::npos)
    return false;
  std::string_view call = parts.front();
  bool named = call.size() >= 3 && call.size() <= kMaxCall &&
               std::all_of(call.begin(), call.end(), IsLetter);
  if (!PlausibleCall(call) && !named)
    return false;
  for (std::size_t i = 1; i < parts.size(); ++i) {
    if (parts[i].size() > 3 || i > 2 || !std::all_of(parts[i].begin(), parts[i].end(), [](char c) {
          return IsLetter(c) || IsDigit(c) || c == '#' || c == '@';
        }))
      return false;
  }
  return true;
}

/// "HHMMZ" with a valid hour and minute.
bool IsTime(std::string_view word) {
  if (word.size() != 5 || Upper(word[4]) != 'Z' ||
      !std::all_of(word.begin(), word.end() - 1, IsDigit))
    return false;
  return (word[0] - '0') * 10 + (word[1] - '0') < 24 && word[2] < '6';
}

/// A Maidenhead locator of four or six characters ("JO21", "KN05ab").
bool IsLocator(std::string_view word) {
  if (word.size() != 4 && word.size() != 6)
    return false;
  auto field = [](char c) { return Upper(c) >= 'A' && Upper(c) <= 'R'; };
  bool square = field(word[0]) && field(word[1]) && IsDigit(word[2]) && IsDigit(word[3]);
  return square && (word.size() == 4 || (IsLetter(word[4]) && IsLetter(word[5])));
}

/// The modes a skimmer names as the first word of its comment.
bool IsSkimmerMode(std::string_view word) {
  for (std::string_view mode : {"CW", "RTTY", "FT8", "FT4", "JT65", "JT9", "MSK144", "SSB"})
    if (word == mode)
      return true;
  return word.starts_with("PSK") || word.starts_with("BPSK") || word.starts_with("QPSK");
}

std::optional<int> WholeNumber(std::string_view word) {
  int value = 0;
  auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value);
  if (error != std::errc() || end != word.data() + word.size() || value < -999 || value > 9999)
    return std::nullopt;
  return value;
}

/// The mode, "NN dB" and "NN WPM" or "NN BPS" a skimmer writes in its comment.
void ReadSkimmerComment(std::string_view comment, Spot& spot) {
  std::vector<std::string_view> words = SplitWords(comment, " ");
  if (!words.empty() && IsSkimmerMode(UpperAscii(words.front())))
    spot.mode = UpperAscii(words.front());
  for (std::size_t i = 1; i < words.size(); ++i) {
    std::optional<int> number = WholeNumber(words[i - 1]);
    if (!number)
      continue;
    std::string unit = UpperAscii(words[i]);
    if (unit == "DB")
      spot.snr_db = *number;
    else if (unit == "WPM" || unit == "BPS")
      spot.wpm = *number;
  }
}

std::optional<Spot> ReadSpot(std::string_view line) {
  if (!StartsWithNoCase(line, kSpotStart))
    return std::nullopt;
  std::string_view rest = Trim(line.substr(kSpotStart.size()));
  // A long spotter's call runs into the frequency: "DX de W3LPL-#:7025.1".
  std::size_t colon = rest.find(':');
  if (colon == std::string_view::npos)
    return std::nullopt;
  Spot spot;
  spot.spotter = UpperAscii(Trim(rest.substr(0, colon)));
  rest.remove_prefix(colon + 1);
  std::string_view khz = TakeWord(rest);
  std::string call = UpperAscii(TakeWord(rest));
  std::optional<std::int64_t> hz = Kilohertz(khz);
  if (!PlausibleSpotter(spot.spotter) || !hz || !PlausibleCall(call))
    return std::nullopt;
  spot.hz = *hz;
  spot.khz = khz;
  spot.call = std::move(call);
  // The time ends the line, or comes before the spotter's locator.
  std::string_view comment = rest;
  if (!IsLocator(TakeLastWord(rest)))
    rest = comment;
  std::string_view time = TakeLastWord(rest);
  if (IsTime(time)) {
    spot.time = time.substr(0, 4);
    comment = rest;
  }
  spot.comment = Clean(Trim(comment));
  spot.skimmer = spot.spotter.ends_with("-#");
  if (spot.skimmer)
    ReadSkimmerComment(spot.comment, spot);
  return spot;
}

/// The line from its spot on, when the node's prompt ("login: ", "... dxspider >"), which ends
/// no line, runs into it; the line itself otherwise.
std::string_view AfterPrompt(std::string_view line) {
  std::size_t at = line.find(kSpotStart);
  if (at == 0 || at == std::string_view::npos)
    return line;
  std::string_view prompt = Trim(line.substr(0, at));
  if (prompt.ends_with(':') || prompt.ends_with('>'))
    return line.substr(at);
  return line;
}

}  // namespace

ClusterLine ParseClusterLine(std::string_view line) {
  ClusterLine parsed;
  if (std::optional<Spot> spot = ReadSpot(AfterPrompt(line))) {
    parsed.is_spot = true;
    parsed.spot = std::move(*spot);
  } else {
    parsed.text = Clean(line);
  }
  return parsed;
}

}  // namespace mirva
