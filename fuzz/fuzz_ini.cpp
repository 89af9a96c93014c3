// Feeds arbitrary bytes to the INI reader, then writes and erases in what it read and checks
// that a written value reads back, that the other sections read as before and that the text
// reads the same after another parse.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz_check.h"
#include "link/ini_file.h"
#include "text/cp1251.h"
#include "text/strings.h"

namespace {

constexpr std::size_t kMaxNames = 12;

struct Names {
  std::vector<std::string> sections{"S"};
  std::vector<std::string> keys{"K"};
};

// Section and key names taken from the lines, so that the checks read what the file holds.
Names NamesIn(std::string_view text) {
  Names names;
  for (std::string_view line : mirva::SplitLines(text)) {
    std::string_view trimmed = mirva::Trim(line);
    std::size_t close = trimmed.rfind(']');
    if (!trimmed.empty() && trimmed.front() == '[' && close != std::string_view::npos) {
      if (names.sections.size() < kMaxNames)
        names.sections.emplace_back(trimmed.substr(1, close - 1));
    } else if (names.keys.size() < kMaxNames) {
      names.keys.emplace_back(trimmed.substr(0, trimmed.find('=')));
    }
  }
  return names;
}

std::vector<std::string> ReadAll(const mirva::IniFile& ini, const Names& names) {
  std::vector<std::string> values;
  for (const std::string& section : names.sections) {
    for (const std::string& key : names.keys)
      values.push_back(ini.Read(section, key, "\x01"));
  }
  return values;
}

// Every value of a section other than `changed` is the same in both files.
void CheckOthersKept(const mirva::IniFile& a, const mirva::IniFile& b, const Names& names,
                     const std::string& changed) {
  for (const std::string& section : names.sections) {
    if (mirva::UpperCase(mirva::Trim(section)) == mirva::UpperCase(mirva::Trim(changed)))
      continue;
    for (const std::string& key : names.keys)
      mirva_fuzz::Check(a.Read(section, key, "\x01") == b.Read(section, key, "\x01"));
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view text(reinterpret_cast<const char*>(data), size);
  const mirva::IniFile ini = mirva::IniFile::Parse(text);
  const Names names = NamesIn(text);
  const std::vector<std::string> values = ReadAll(ini, names);
  const mirva::IniFile again = mirva::IniFile::Parse(ini.Text());
  mirva_fuzz::Check(again.Text() == ini.Text());
  mirva_fuzz::Check(ReadAll(again, names) == values);

  // The last section and key named in the file, with the first line as the value.
  const std::string& section = names.sections.back();
  const std::string& key = names.keys.back();
  std::vector<std::string_view> lines = mirva::SplitLines(text);
  std::string value(lines.empty() ? "" : lines.front());

  mirva::IniFile written = ini;
  if (written.Write(section, key, value)) {
    mirva_fuzz::Check(written.Read(section, key, "\x01") == value);
    mirva_fuzz::Check(mirva::IniFile::Parse(written.Text()).Read(section, key, "\x01") == value);
    CheckOthersKept(ini, written, names, section);
  } else {
    mirva_fuzz::Check(written.Text() == ini.Text());
  }

  mirva::IniFile erased = written;
  erased.EraseSection(section);
  for (const std::string& k : names.keys)
    mirva_fuzz::Check(erased.Read(section, k, "\x01") == "\x01");
  CheckOthersKept(written, erased, names, section);
  mirva_fuzz::Check(mirva::IniFile::Parse(erased.Text()).Text() == erased.Text());
  return 0;
}
