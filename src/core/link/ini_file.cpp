#include "link/ini_file.h"

#include <cstddef>
#include <optional>

#include "text/cp1251.h"
#include "text/strings.h"

namespace mirva {

namespace {

/// The section name of a header line "[name]" (up to the last ']'), or nothing for any other
/// line.
std::optional<std::string_view> HeaderName(std::string_view line) {
  line = Trim(line);
  std::size_t close = line.rfind(']');
  if (line.empty() || line.front() != '[' || close == std::string_view::npos)
    return std::nullopt;
  return Trim(line.substr(1, close - 1));
}

struct KeyLine {
  std::string_view name;
  std::string_view value;
};

/// The name and the value of a "name=value" line; nothing for a comment or a line without '='.
std::optional<KeyLine> SplitKeyLine(std::string_view line) {
  line = Trim(line);
  std::size_t equals = line.find('=');
  if (line.empty() || line.front() == ';' || equals == std::string_view::npos)
    return std::nullopt;
  return KeyLine{Trim(line.substr(0, equals)), Trim(line.substr(equals + 1))};
}

std::string_view Unquote(std::string_view value) {
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
      value.back() == value.front())
    return value.substr(1, value.size() - 2);
  return value;
}

/// What follows the '=' so that reading gives back the value up to its first line break.
std::string StoredValue(std::string_view value) {
  value = value.substr(0, value.find_first_of("\r\n"));
  if (!value.empty() && (Trim(value).size() < value.size() || Unquote(value).size() < value.size()))
    return "\"" + std::string(value) + "\"";
  return std::string(value);
}

bool IsStorableSection(std::string_view name) {
  return !name.empty() && name.find_first_of("\r\n") == std::string_view::npos;
}

bool IsStorableKey(std::string_view name) {
  return !name.empty() && name.find_first_of("\r\n=") == std::string_view::npos &&
         name.front() != ';' && name.front() != '[';
}

}  // namespace

IniFile IniFile::Parse(std::string_view text) {
  IniFile ini;
  for (std::string_view line : SplitLines(text)) {
    if (std::optional<std::string_view> name = HeaderName(line)) {
      ini.sections_.push_back({std::string(line), UpperCase(*name), {}, {}});
      continue;
    }
    if (ini.sections_.empty()) {
      ini.prologue_.emplace_back(line);
      continue;
    }
    Section& section = ini.sections_.back();
    std::optional<KeyLine> key = SplitKeyLine(line);
    if (key && !key->name.empty())
      section.keys.try_emplace(UpperCase(key->name), section.lines.size());
    section.lines.emplace_back(line);
  }
  ini.IndexSections();
  return ini;
}

void IniFile::IndexSections() {
  index_.clear();
  for (std::size_t i = 0; i < sections_.size(); ++i) {
    if (!sections_[i].name.empty())
      index_.try_emplace(sections_[i].name, i);
  }
}

std::string IniFile::Read(std::string_view section, std::string_view key,
                          std::string_view default_value) const {
  auto found = index_.find(UpperCase(Trim(section)));
  if (found == index_.end())
    return std::string(default_value);
  const Section& s = sections_[found->second];
  auto line = s.keys.find(UpperCase(Trim(key)));
  if (line == s.keys.end())
    return std::string(default_value);
  return std::string(Unquote(SplitKeyLine(s.lines[line->second])->value));
}

bool IniFile::Write(std::string_view section, std::string_view key, std::string_view value) {
  section = Trim(section);
  key = Trim(key);
  if (!IsStorableSection(section) || !IsStorableKey(key))
    return false;
  std::string name = UpperCase(section);
  auto found = index_.find(name);
  if (found == index_.end()) {
    found = index_.emplace(name, sections_.size()).first;
    sections_.push_back({"[" + std::string(section) + "]", name, {}, {}});
  }
  Section& s = sections_[found->second];
  auto [line, added] = s.keys.try_emplace(UpperCase(key), 0);
  if (!added) {
    // The key keeps the spelling the file gives it.
    std::string& text = s.lines[line->second];
    text = std::string(SplitKeyLine(text)->name) + "=" + StoredValue(value);
    return true;
  }
  // Blank lines at the end of a section usually set it apart from the next one; the new key
  // goes before them. Moving them does not move any key line.
  std::size_t at = s.lines.size();
  while (at > 0 && Trim(s.lines[at - 1]).empty())
    --at;
  s.lines.insert(s.lines.begin() + static_cast<std::ptrdiff_t>(at),
                 std::string(key) + "=" + StoredValue(value));
  line->second = at;
  return true;
}

void IniFile::EraseSection(std::string_view section) {
  std::string name = UpperCase(Trim(section));
  if (name.empty() || !index_.count(name))
    return;
  std::erase_if(sections_, [&](const Section& s) { return s.name == name; });
  IndexSections();
}

std::string IniFile::Text() const {
  std::string text;
  auto add = [&text](const std::string& line) {
    text += line;
    text += "\r\n";
  };
  for (const std::string& line : prologue_)
    add(line);
  for (const Section& s : sections_) {
    add(s.header);
    for (const std::string& line : s.lines)
      add(line);
  }
  return text;
}

}  // namespace mirva
