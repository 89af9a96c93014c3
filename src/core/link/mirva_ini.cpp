#include "link/mirva_ini.h"

namespace mirva {

namespace {

std::string Replaced(std::string text, char from, char to) {
  for (char& c : text)
    if (c == from)
      c = to;
  return text;
}

void WriteReport(IniFile& ini, std::string_view key, std::string_view report) {
  ini.Write(kQsoSection, key, report);
  ini.Write(kQsoSection, "s" + std::string(key), ReportShortForm(report));
}

void WriteNumber(IniFile& ini, std::string_view key, std::string_view number) {
  ini.Write(kQsoSection, key, number);
  ini.Write(kQsoSection, "s" + std::string(key), NumberShortForm(number));
}

}  // namespace

std::string ReportShortForm(std::string_view report) {
  return Replaced(std::string(report), '9', 'n');
}

std::string NumberShortForm(std::string_view number) {
  return Replaced(Replaced(std::string(number), '9', 'n'), '0', 't');
}

void WriteMirvaIni(IniFile& ini, const EntryTexts& entry, EntrySelector selector) {
  bool all = selector == kEntryAll;
  if (all || selector == kEntryCall)
    ini.Write(kQsoSection, "Call", entry.Call);
  if (all || selector == kEntryRprtSent)
    WriteReport(ini, "RprtSent", entry.RprtSent);
  if (all || selector == kEntryNumberSent)
    WriteNumber(ini, "NumberSent", entry.NumberSent);
  if (all || selector == kEntryRprtRcvd)
    WriteReport(ini, "RprtRcvd", entry.RprtRcvd);
  if (all || selector == kEntryNumberRcvd)
    WriteNumber(ini, "NumberRcvd", entry.NumberRcvd);
}

}  // namespace mirva
