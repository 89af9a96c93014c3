#pragma once

#include <string>
#include <string_view>

#include "link/entry_file.h"
#include "link/ini_file.h"

namespace mirva {

/// The shared entry file the program writes for the companion programs, and the input file
/// a companion fills for the entry to load, both in the directory they share.
inline constexpr char kEntryFileName[] = "mirva.INI";
inline constexpr char kLogInputFileName[] = "loginput.ini";

/// The section of the shared entry file, and of the companion's input file, that holds the
/// entry.
inline constexpr char kQsoSection[] = "QSO";

/// A report as the companion keys it: every 9 becomes n, so 599 goes out as 5nn.
std::string ReportShortForm(std::string_view report);

/// An exchange number as the companion keys it: every 9 becomes n, then every 0 becomes t,
/// so 090 goes out as tnt.
std::string NumberShortForm(std::string_view number);

/// Writes the keys of section [QSO] that the selector names: the text as entered and, for
/// reports and numbers, its short form beside it ("RprtSent" and "sRprtSent"); kEntryAll
/// writes all nine keys, callsign first. Every other key of the file stays as it was.
void WriteMirvaIni(IniFile& ini, const EntryTexts& entry, EntrySelector selector);

}  // namespace mirva
