#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace mirva {

/// The fields of a Cabrillo "QSO:" line, with the band and mode as the log stores them.
struct CabrilloQso {
  std::string Band;     ///< "160", "80", "40", "20", "15" or "10"
  std::string Mode;     ///< "CW", "SSB", "RTTY", "DIGI" or "FM"
  double QSODate = 0;   ///< days since 1899-12-30
  std::string QSOTime;  ///< "hh:nn"
  std::string OwnCall;
  std::string RprtSent;
  std::string NumberSent;
  std::string Call;
  std::string RprtRcvd;
  std::string NumberRcvd;
  std::string Transmitter;  ///< empty when the line has none

  bool operator==(const CabrilloQso&) const = default;
};

/// What one line of a Cabrillo log holds: a QSO, or the reason a "QSO:" line cannot be read,
/// or neither for any other line.
struct CabrilloLine {
  std::optional<CabrilloQso> qso;
  std::string error;
};

/// Reads a line "QSO: freq mode date time own-call report exchange call report exchange
/// [transmitter]": the frequency in kHz within one of the six HF contest bands, the mode CW,
/// PH, RY, DG or FM, the date YYYY-MM-DD and the time HHMM. The line is UTF-8 (ASCII in the
/// usual log); the QSO's texts keep its bytes, and the reason is Windows-1251 text that shows
/// control characters as \xNN.
CabrilloLine ReadCabrilloLine(std::string_view line);

/// What a line of a Cabrillo log is, by the tag it begins with.
enum class CabrilloTag {
  kOther,
  kStartOfLog,   ///< "START-OF-LOG:"
  kQso,          ///< "QSO:"
  kExcludedQso,  ///< "X-QSO:", a QSO the log keeps but does not count
  kEndOfLog,     ///< "END-OF-LOG:"
};

/// The tag of a line, in any case and after leading blanks.
CabrilloTag TagOf(std::string_view line);

}  // namespace mirva
