#include "session/stored_settings.h"

#include <algorithm>
#include <charconv>
#include <cstring>
#include <limits>
#include <utility>

#include "file_system.h"
#include "log/input_rule.h"
#include "session/notifier.h"
#include "text/cp1251.h"
#include "text/path_text.h"
#include "text/strings.h"

namespace mirva {

namespace {

/// How many notices the operator is told one by one; the rest are counted.
constexpr std::size_t kNoticesTold = 10;

int HexValue(char c) {
  if (c >= '0' && c <= '9')
    return c - '0';
  if (c >= 'a' && c <= 'f')
    return c - 'a' + 10;
  if (c >= 'A' && c <= 'F')
    return c - 'A' + 10;
  return -1;
}

bool IsOctal(char c) {
  return c >= '0' && c <= '7';
}

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

std::size_t SkipBlanks(std::string_view text, std::size_t i) {
  while (i < text.size() && IsBlank(text[i]))
    ++i;
  return i;
}

/// UTF-8 text made of the file's own bytes and of the UTF-16 code units that escapes give.
/// Two escapes that form a surrogate pair make one character; a lone surrogate stays as
/// bytes that no UTF-8 reader accepts, so that the value is refused rather than changed.
class TextBuilder {
 public:
  void AddBytes(std::string_view bytes) {
    Flush();
    text_ += bytes;
  }
  void AddUnit(char32_t unit) {
    if (high_ && unit >= 0xDC00 && unit <= 0xDFFF) {
      Append(0x10000 + ((high_ - 0xD800) << 10) + (unit - 0xDC00));
      high_ = 0;
      return;
    }
    Flush();
    if (unit >= 0xD800 && unit <= 0xDBFF)
      high_ = unit;
    else
      Append(unit);
  }
  std::size_t size() {
    Flush();
    return text_.size();
  }
  /// Drops the blanks at the end, but none of the first `keep` bytes.
  void ChopBlanks(std::size_t keep) {
    Flush();
    while (text_.size() > keep && IsBlank(text_.back()))
      text_.pop_back();
  }
  std::string Take() {
    Flush();
    return std::exchange(text_, {});
  }

 private:
  void Flush() {
    if (high_)
      Append(std::exchange(high_, 0));
  }
  void Append(char32_t cp) { AppendUtf8(text_, cp); }

  std::string text_;
  char32_t high_ = 0;
};

/// A group or key name: "%XX" and "%UXXXX" stand for a character, '\' for '/'; a '%' that
/// starts no escape is itself.
std::string UnescapedKey(std::string_view text) {
  TextBuilder key;
  std::size_t i = 0;
  while (i < text.size()) {
    char c = text[i];
    std::size_t first = i + 1;
    std::size_t digits = first < text.size() && text[first] == 'U' ? 4 : 2;
    first += digits == 4 ? 1 : 0;
    unsigned unit = 0;
    bool escape = c == '%' && first + digits <= text.size();
    for (std::size_t d = 0; escape && d < digits; ++d) {
      int value = HexValue(text[first + d]);
      escape = value >= 0;
      unit = unit * 16 + static_cast<unsigned>(value);
    }
    if (escape) {
      key.AddUnit(unit);
      i = first + digits;
    } else {
      key.AddBytes(c == '\\' ? "/" : text.substr(i, 1));
      ++i;
    }
  }
  return key.Take();
}

/// Reads the escape after a '\' at `i` into `out` and returns where the value goes on. An
/// unknown escape drops its character; \x and \0.. take as many digits as follow, into one
/// UTF-16 code unit.
std::size_t ReadEscape(std::string_view raw, std::size_t i, TextBuilder& out) {
  static constexpr char kCodes[][2] = {{'a', '\a'}, {'b', '\b'},  {'f', '\f'}, {'n', '\n'},
                                       {'r', '\r'}, {'t', '\t'},  {'v', '\v'}, {'"', '"'},
                                       {'?', '?'},  {'\'', '\''}, {'\\', '\\'}};
  if (i >= raw.size())
    return i;
  char c = raw[i++];
  for (const auto& code : kCodes) {
    if (c == code[0]) {
      out.AddUnit(static_cast<char32_t>(code[1]));
      return i;
    }
  }
  bool hex = c == 'x';
  if (hex && (i >= raw.size() || HexValue(raw[i]) < 0))
    return i;
  if (!hex && !IsOctal(c))
    return i;
  unsigned unit = hex ? 0 : static_cast<unsigned>(c - '0');
  while (i < raw.size() && (hex ? HexValue(raw[i]) >= 0 : IsOctal(raw[i]))) {
    unit = hex ? unit * 16 + static_cast<unsigned>(HexValue(raw[i]))
               : unit * 8 + static_cast<unsigned>(raw[i] - '0');
    unit &= 0xFFFF;
    ++i;
  }
  out.AddUnit(unit);
  return i;
}

/// The parts of a value: one for a text, more for a list of texts separated by commas
/// outside quotes. The blanks around a part go, unless it was quoted or came from escapes.
/// A ';' outside quotes starts a comment.
std::vector<std::string> ValueParts(std::string_view raw) {
  std::vector<std::string> parts;
  TextBuilder part;
  bool in_quotes = false;
  bool quoted = false;
  std::size_t keep = 0;
  std::size_t i = SkipBlanks(raw, 0);
  auto end_part = [&] {
    if (!quoted)
      part.ChopBlanks(keep);
    parts.push_back(part.Take());
    quoted = false;
    keep = 0;
  };
  while (i < raw.size()) {
    char c = raw[i];
    if (c == '\\') {
      i = ReadEscape(raw, i + 1, part);
      keep = part.size();
    } else if (c == '"') {
      quoted = true;
      in_quotes = !in_quotes;
      i = in_quotes ? i + 1 : SkipBlanks(raw, i + 1);
      keep = part.size();
    } else if (c == ';' && !in_quotes) {
      break;
    } else if (c == ',' && !in_quotes) {
      end_part();
      i = SkipBlanks(raw, i + 1);
    } else {
      std::size_t end = std::min(raw.find_first_of("\\\",;", i + 1), raw.size());
      part.AddBytes(raw.substr(i, end - i));
      i = end;
    }
  }
  end_part();
  return parts;
}

/// The bytes of a byte array's characters, all below U+0100; nothing for other text.
std::optional<std::string> Latin1Bytes(std::string_view utf8) {
  std::string bytes;
  for (std::size_t at = 0; at < utf8.size();) {
    char32_t cp = NextCodePoint(utf8, at);
    if (cp > 0xFF)
      return std::nullopt;
    bytes += static_cast<char>(cp);
  }
  return bytes;
}

/// The text a stored value stands for: "@@" is a leading '@', "@ByteArray(..)" holds UTF-8
/// bytes and "@Invalid()" no text; nothing for the other kinds of value Qt marks with '@'.
std::optional<std::string> TextOf(const std::string& value) {
  if (!value.starts_with('@'))
    return value;
  if (value.ends_with(')')) {
    std::string_view inner(value);
    if (value.starts_with("@ByteArray("))
      return Latin1Bytes(inner.substr(11, inner.size() - 12));
    if (value.starts_with("@String("))
      return std::string(inner.substr(8, inner.size() - 9));
    if (value == "@Invalid()")
      return std::string();
    for (const char* kind : {"@Variant(", "@DateTime(", "@Rect(", "@Size(", "@Point("}) {
      if (value.starts_with(kind))
        return std::nullopt;
    }
  }
  return value.starts_with("@@") ? value.substr(1) : value;
}

/// The text of a value; a list's texts joined by ", ".
std::optional<std::string> ValueText(std::string_view raw) {
  std::string joined;
  std::vector<std::string> parts = ValueParts(raw);
  for (std::size_t i = 0; i < parts.size(); ++i) {
    std::optional<std::string> text = TextOf(parts[i]);
    if (!text)
      return std::nullopt;
    joined += (i > 0 ? ", " : "") + *text;
  }
  return joined;
}

/// How a value is quoted in a notice: Windows-1251, visible and not too long.
std::string Quoted(std::string_view utf8) {
  return ShortQuote(Utf8ToCp1251(utf8));
}

/// A whole number with an optional sign, as Qt reads an integer.
std::optional<int> WholeNumber(std::string_view text) {
  if (text.starts_with('+'))
    text.remove_prefix(1);
  int value = 0;
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || error != std::errc() || end != text.data() + text.size())
    return std::nullopt;
  return value;
}

class Parser {
 public:
  explicit Parser(StoredSettings& settings) : settings_(settings) {}

  void Line(std::string_view line) {
    ++number_;
    line = Trim(line);
    if (line.empty() || line.front() == ';' || line.front() == '#')
      return;
    if (line.front() == '[')
      return Section(line);
    std::size_t eq = line.find('=');
    if (eq == std::string_view::npos)
      return Notice(Quoted(line) + " is neither a [section] nor a KEY=VALUE line; it is skipped");
    std::string key = UnescapedKey(Trim(line.substr(0, eq)));
    Value(section_.empty() ? key : section_ + "/" + key, line.substr(eq + 1));
  }

 private:
  void Notice(std::string text) { settings_.notices.push_back({number_, std::move(text)}); }

  void Section(std::string_view line) {
    std::size_t close = line.find(']');
    if (close == std::string_view::npos)
      Notice(Quoted(line) + " has no closing ']'");
    section_ = UnescapedKey(Trim(line.substr(1, close == line.npos ? line.npos : close - 1)));
    // Qt keeps the keys of no group in [General].
    if (UpperCase(section_) == "GENERAL")
      section_.clear();
    if (section_ == kStationSection)
      StationExists();
  }

  void Value(const std::string& key, std::string_view raw) {
    const std::string contest_key = std::string(kContestSection) + "/" + kContestIndexKey;
    if (key.starts_with(std::string(kStationSection) + "/"))
      StationExists();
    const StationSettingKey* station_key = nullptr;
    for (const StationSettingKey& k : kStationSettingKeys) {
      if (key == std::string(kStationSection) + "/" + k.key)
        station_key = &k;
    }
    if (key.starts_with(std::string(kRadioSection) + "/"))
      return RadioValue(key.substr(std::string_view(kRadioSection).size() + 1), raw);
    if (std::string* text = TextFor(key)) {
      if (std::optional<std::string> value = ValueText(raw))
        *text = Utf8ToCp1251(*value);
      return;
    }
    if (key != contest_key && !station_key)
      return;
    std::optional<std::string> text = ValueText(raw);
    if (!text)
      return Notice((station_key ? station_key->key : kContestIndexKey) +
                    std::string(" holds a stored value that is not a text; it is left out"));
    if (station_key)
      StationText(*station_key, *text);
    else
      ContestIndex(*text);
  }

  /// Where a text of the entry or a report window's header goes; null for other keys.
  std::string* TextFor(const std::string& key) {
    auto in = [&key](const char* section) {
      return key.starts_with(std::string(section) + "/") ? key.substr(std::strlen(section) + 1)
                                                         : std::string();
    };
    if (in(kContestSection) == "Name")
      return &settings_.contest_name;
    if (std::string name = in(kCabrilloSection); !name.empty())
      return &settings_.cabrillo[name];
    if (std::string name = in(kStandardReportSection); !name.empty())
      return &settings_.summary[name];
    if (std::string name = in(kEntrySection); name == kEntryBandKey || name == kEntryModeKey)
      return name == kEntryBandKey ? &settings_.band : &settings_.mode;
    return nullptr;
  }

  void RadioValue(const std::string& key, std::string_view raw) {
    RadioSettings& radio = settings_.radio;
    std::optional<std::string> text = ValueText(raw);
    if (!text)
      return Notice("the radio's " + key + " is not a text; it is left out");
    if (key == kRadioPortKey)
      radio.port = *text;
    else if (key == kRadioEnabledKey)
      radio.enabled = *text == "true";
    else if (key == kRadioModelKey || key == kRadioSpeedKey)
      RadioNumber(key, *text, key == kRadioModelKey ? radio.model : radio.speed);
  }

  void RadioNumber(const std::string& key, const std::string& text, int& number) {
    std::optional<int> value = WholeNumber(text);
    if (!value || *value < 0)
      return Notice("the radio's " + key + " " + Quoted(text) +
                    " is not a whole number; the default is used");
    number = *value;
  }

  void StationExists() {
    if (!settings_.station)
      settings_.station.emplace();
  }

  void ContestIndex(const std::string& text) {
    std::optional<int> index = WholeNumber(text);
    if (!index)
      return Notice(std::string(kContestIndexKey) + " " + Quoted(text) +
                    " is not a whole number; no contest is taken from it");
    settings_.contest_index = index;
  }

  void StationText(const StationSettingKey& key, const std::string& text) {
    bool call = key.member == &TStationCFG::Call;
    std::string name = std::string(call ? "station callsign " : "station text ") + key.key;
    CheckedInput checked = CheckInput({name, std::numeric_limits<std::size_t>::max(), call}, text);
    if (checked.fault != InputFault::kNone)
      return Notice(checked.message + "; it is left out");
    settings_.station.value().*key.member = checked.text;
  }

  StoredSettings& settings_;
  std::size_t number_ = 0;
  std::string section_;
};

}  // namespace

StoredSettings ParseStoredSettings(std::string_view text) {
  StoredSettings settings;
  Parser parser(settings);
  for (std::string_view line : SplitLines(text))
    parser.Line(line);
  return settings;
}

StoredSettings LoadStoredSettings(FileSystem& fs, Notifier& notifier, const std::string& path) {
  const std::string file = "The settings file " + PathText(path);
  std::optional<std::string> text = fs.ReadFile(path);
  if (!text) {
    if (fs.Exists(path))
      notifier.ShowMessage(file + " cannot be read; nothing stored in it is used.");
    return {};
  }
  StoredSettings settings = ParseStoredSettings(*text);
  const std::vector<SettingsNotice>& notices = settings.notices;
  for (std::size_t i = 0; i < notices.size() && i < kNoticesTold; ++i)
    notifier.ShowMessage(file + ", line " + std::to_string(notices[i].line) + ": " +
                         notices[i].text + ".");
  if (notices.size() > kNoticesTold)
    notifier.ShowMessage(file + ": " + std::to_string(notices.size() - kNoticesTold) +
                         " more lines or values are left out.");
  return settings;
}

}  // namespace mirva
