#pragma once

#include <chrono>
#include <string>
#include <vector>

#include "link/radio.h"

struct s_rig;

namespace mirva {

/// A radio model Hamlib knows: its number and "maker model".
struct RadioModel {
  int number;
  std::string name;
};

/// Hamlib's radio models by maker and model name; read on the first call, which may take a
/// while, from any thread.
const std::vector<RadioModel>& HamlibModels();

/// A radio through Hamlib: a model on its serial port, or a rigctld daemon (kRigctldModel,
/// HOST:PORT) that talks to the radio for us. Use it from one thread; that thread gets SIGPIPE
/// blocked, so that a daemon that went away is a failed read, not the end of the process.
class HamlibRadio : public Radio {
 public:
  /// Opens nothing yet; `timeout` bounds each wait for the radio's answer.
  HamlibRadio(RadioSettings settings, std::chrono::milliseconds timeout);
  ~HamlibRadio() override;
  HamlibRadio(const HamlibRadio&) = delete;
  HamlibRadio& operator=(const HamlibRadio&) = delete;

  /// Opens the radio when it is not open, then asks for frequency and mode. A failure closes
  /// it, so that the next Read opens it anew: a radio switched on again is found.
  RadioReading Read() override;
  /// Opens the radio as Read does, sets its frequency and then its mode with the normal
  /// passband. A failure closes it.
  std::string Tune(std::int64_t hz, std::string_view mode) override;

 private:
  /// Empty when the radio is open; else why not.
  std::string Open();
  void Close();
  static RadioReading Failed(const std::string& why);

  RadioSettings settings_;
  std::chrono::milliseconds timeout_;
  s_rig* rig_ = nullptr;
};

}  // namespace mirva
