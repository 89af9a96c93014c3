#include "pelkorex_tx.h"

#ifdef _WIN32

#include <utility>

#include "session/notifier.h"

namespace mirva {

namespace {

constexpr char kLibrary[] = "pelkorex.dll";

std::string WindowsError() {
  return "Windows error " + std::to_string(GetLastError());
}

/// The C function `name` of `library`, or null with `problem` set.
template <typename Function>
Function Find(HMODULE library, const char* name, std::string& problem) {
  FARPROC found = GetProcAddress(library, name);
  if (found == nullptr) {
    problem = std::string(kLibrary) + " has no function " + name + " (" + WindowsError() + ")";
    return nullptr;
  }
  // Through void(*)(), which the compiler takes as a deliberate change of signature.
  return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(found));
}

}  // namespace

PelkorexTx::PelkorexTx(Notifier& notifier) : notifier_(notifier) {
  HMODULE library = LoadLibraryA(kLibrary);
  if (library == nullptr) {
    problem_ = std::string(kLibrary) + " cannot be loaded (" + WindowsError() + ")";
    return;
  }
  Entry init = Find<Entry>(library, "_PelkorExchangeInit", problem_);
  Entry put = Find<Entry>(library, "_PelkorPutSymToTxBuffer", problem_);
  if (init == nullptr || put == nullptr)
    return;
  init(1);
  put_ = put;
}

void PelkorexTx::Put(char symbol) {
  if (put_ != nullptr) {
    put_(static_cast<unsigned char>(symbol));
    return;
  }
  if (std::exchange(told_, true))
    return;
  notifier_.ShowError("The CW text cannot go to the companion program: " + problem_ + ". Put " +
                      kLibrary + " beside the program or in a folder on the PATH.");
}

}  // namespace mirva

#endif
