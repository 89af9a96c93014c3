#pragma once

#include <string>

namespace mirva {

/// Whether the program logs the QSOs digital-mode programs announce, and where it listens.
struct WsjtxSettings {
  bool enabled = false;
  std::string listen;  ///< "ADDRESS:PORT"

  bool operator==(const WsjtxSettings&) const = default;
};

/// The settings of the section [WSJT-X] of the stored settings; off, on the default address,
/// where a key is missing.
WsjtxSettings ReadWsjtxSettings();

/// Keeps the settings for the next start.
void StoreWsjtxSettings(const WsjtxSettings& settings);

}  // namespace mirva
