#pragma once

namespace mirva {

/// The macro code the macro message carries for Esc in the entry window.
inline constexpr int kEscMacro = 0;

/// The macro code of F1 to F12 (n from 1 to 12).
constexpr int FunctionKeyMacro(int n) {
  return n;
}

/// The macro code of Ctrl+F1 to Ctrl+F12 (n from 1 to 12).
constexpr int CtrlFunctionKeyMacro(int n) {
  return 100 + n;
}

}  // namespace mirva
