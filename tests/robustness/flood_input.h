#pragma once

#include <iterator>
#include <random>
#include <string>

#include "dbus_signal.h"

namespace mirva {

/// A value a careless or broken companion might leave: a plausible one, one far too long, one
/// with control characters, the byte Windows-1251 lacks, or any bytes at all.
inline std::string RandomValue(std::mt19937& rng) {
  static const char* const kPlain[] = {"UA9XYZ", "dl1abc", "599", "14", "20", "10",
                                       "001",    "K1/P",   "",    " ",  "CW", "\xcf\xf0\xe8"};
  switch (rng() % 6) {
    case 0:
      return std::string(1 + rng() % 300, static_cast<char>('A' + rng() % 26));
    case 1:
      return std::string("DL\x01") + "1\tA\x1b[2J" + "\x7f";
    case 2:
      return std::string("UA\x98") + "9\x98";
    case 3: {
      std::string bytes(rng() % 40, '\0');
      for (char& c : bytes)
        c = static_cast<char>(rng());
      return bytes;
    }
    default:
      return kPlain[rng() % std::size(kPlain)];
  }
}

/// The text of a loginput.ini: the [QSO] section or none, known and unknown keys with random
/// values, any line ends; now and then nothing but garbage.
inline std::string RandomLogInput(std::mt19937& rng) {
  static const char* const kKeys[] = {"Call",       "Band",       "RprtSent", "RprtRcvd",
                                      "NumberSent", "NumberRcvd", "Note",     "Mode",
                                      "call",       "Freq",       "",         "Call\x01"};
  static const char* const kEnds[] = {"\r\n", "\n", "\r", ""};
  std::string text;
  if (rng() % 10 == 0) {
    text.resize(rng() % 4000);
    for (char& c : text)
      c = static_cast<char>(rng());
    return text;
  }
  const char* end = kEnds[rng() % std::size(kEnds)];
  if (rng() % 5)
    text += std::string(rng() % 8 ? "[QSO]" : "[qso") + end;
  for (auto lines = rng() % 9; lines > 0; --lines)
    text += std::string(kKeys[rng() % std::size(kKeys)]) + "=" + RandomValue(rng) + end;
  return text;
}

/// A command as a companion sends it: mostly the known codes, also unknown ones and any
/// 64-bit values, with a random field mask.
inline SignalArguments RandomCommand(std::mt19937& rng) {
  static const long kMasks[] = {0, 4, 4 | 1048576, 0xffffffffL, 1024, 16 | 64, 262144, -1};
  std::uniform_int_distribution<long> any(std::numeric_limits<long>::min());
  SignalArguments command;
  switch (rng() % 5) {
    case 0:
      command.wparam = static_cast<long>(rng() % 256);
      break;
    case 1:
      command.wparam = any(rng);
      break;
    default:
      command.wparam = 128 + static_cast<long>(rng() % 13);
  }
  command.lparam = rng() % 3 ? kMasks[rng() % std::size(kMasks)] : any(rng);
  return command;
}

}  // namespace mirva
