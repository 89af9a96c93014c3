#pragma once

#ifdef _WIN32

#include <windows.h>

#include <string>

#include "link/tx_buffer.h"

namespace mirva {

class Notifier;

/// The transmit buffer of the companion's exchange library, pelkorex.dll: each character goes
/// to the library as its code, in order. The library is loaded and started once, when this is
/// made, and stays loaded until the program ends. Without the library or its functions, Put
/// keys nothing and says why once, on the first character.
class PelkorexTx : public TxBuffer {
 public:
  explicit PelkorexTx(Notifier& notifier);
  PelkorexTx(const PelkorexTx&) = delete;
  PelkorexTx& operator=(const PelkorexTx&) = delete;

  void Put(char symbol) override;

 private:
  using Entry = int(__cdecl*)(int);

  Notifier& notifier_;
  Entry put_ = nullptr;
  std::string problem_;  ///< why there is no put function
  bool told_ = false;
};

}  // namespace mirva

#endif
