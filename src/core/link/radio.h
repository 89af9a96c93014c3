#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace mirva {

/// What the radio said when asked once: where it is tuned and in which of its modes, or why it
/// said nothing.
struct RadioReading {
  std::int64_t hz = 0;
  /// The radio's own name of its mode, as Hamlib spells it: "USB", "CW", "PKTUSB", ...
  std::string mode;
  /// Empty when the radio answered; else what went wrong, for the operator.
  std::string error;

  bool Answered() const { return error.empty(); }
  bool operator==(const RadioReading&) const = default;
};

/// A transceiver that can be asked where it is tuned, and tuned.
class Radio {
 public:
  virtual ~Radio() = default;
  /// Asks the radio once, within the adapter's timeouts; a radio that is off, unplugged or
  /// silent gives a reading with an error. Never throws.
  virtual RadioReading Read() = 0;
  /// Tunes the radio to `hz` and, unless `mode` is empty, to the radio's mode for the contest's
  /// mode ("CW", "SSB", "DIGI", "RTTY"). Empty when done; else why not, for the operator.
  /// Never throws.
  virtual std::string Tune(std::int64_t hz, std::string_view mode) = 0;
};

/// Hamlib's model of a radio reached through a rigctld daemon over the network.
inline constexpr int kRigctldModel = 2;

/// Which radio to ask and how to reach it, as the operator set it.
struct RadioSettings {
  /// Whether the entry window follows the radio.
  bool enabled = false;
  /// Hamlib's model number.
  int model = kRigctldModel;
  /// The serial device ("/dev/ttyUSB0"), or HOST:PORT of a rigctld for the network model.
  std::string port = "localhost:4532";
  /// The serial speed in bits per second; 0 takes the model's own.
  int speed = 0;

  bool operator==(const RadioSettings&) const = default;
};

/// Where the radio is, for messages: "model 2 at localhost:4532".
inline std::string RadioPlace(const RadioSettings& settings) {
  return "model " + std::to_string(settings.model) + " at " + settings.port;
}

}  // namespace mirva
