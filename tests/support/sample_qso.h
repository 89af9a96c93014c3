#pragma once

#include <string>

#include "log/qso_record.h"

namespace mirva {

/// A QSO with every field filled, a Windows-1251 note ("Привет") and points of every sign.
inline TQSOData SampleQso() {
  TQSOData q;
  q.QSODate = 46000;  // 2025-12-09
  q.QSOTime = "12:34";
  q.Call = "UA3ABC";
  q.Band = "20";
  q.Mode = "CW";
  q.RprtSent = "599";
  q.NumberSent = "001";
  q.RprtRcvd = "579";
  q.NumberRcvd = "16";
  q.Note = "\xCF\xF0\xE8\xE2\xE5\xF2";
  q.Points = 3;
  q.Points2 = -1;
  q.Points3 = 0x01020304;
  q.MultsText = "UA 16";
  q.CountryPrefix = "UA";
  return q;
}

/// A CW QSO of 2025-12-09 at `time` on `band`, with nothing exchanged or scored.
inline TQSOData TestQso(const std::string& call, const std::string& band = "20",
                        const std::string& time = "12:00") {
  TQSOData q;
  q.QSODate = 46000;
  q.QSOTime = time;
  q.Call = call;
  q.Band = band;
  q.Mode = "CW";
  return q;
}

}  // namespace mirva
