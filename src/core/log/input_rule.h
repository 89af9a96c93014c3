#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "log/qso_record.h"

namespace mirva {

/// A text field of the QSO record that the operator fills: the name messages give it, the
/// characters it holds, and whether it holds a callsign.
struct InputField {
  std::string_view name;
  std::size_t capacity;
  bool callsign = false;
};

/// What the operator is told when the callsign is empty, or blank.
inline constexpr char kEmptyCallMessage[] = "Callsign field is empty!";

inline constexpr InputField kCallInput{"callsign", kCallSlot.capacity, true};
inline constexpr InputField kRprtSentInput{"sent report", kRprtSentSlot.capacity};
inline constexpr InputField kNumberSentInput{"sent exchange", kNumberSentSlot.capacity};
inline constexpr InputField kRprtRcvdInput{"received report", kRprtRcvdSlot.capacity};
inline constexpr InputField kNumberRcvdInput{"received exchange", kNumberRcvdSlot.capacity};
inline constexpr InputField kNoteInput{"note", kNoteSlot.capacity};

/// What the input rule found wrong with a value, in the order it looks.
enum class InputFault {
  kNone,
  kNotUtf8,      ///< the bytes are not UTF-8
  kNoCp1251,     ///< a character that Windows-1251 cannot hold
  kControl,      ///< a control character: a line break, a tab, an escape, ...
  kNotCallChar,  ///< a callsign character other than a Latin letter, a digit or "/"
  kTooLong,      ///< more characters than the field holds
};

/// A value as the input rule found it.
struct CheckedInput {
  /// The value in Windows-1251, whole even when it is too long; empty after an encoding fault.
  std::string text;
  InputFault fault = InputFault::kNone;
  /// For the operator, naming the field; empty without a fault.
  std::string message;
};

/// The one rule for a value that is typed or read into a field of the log: UTF-8 text that
/// Windows-1251 can hold, without control characters, a callsign of Latin letters, digits
/// and "/" only, and no more characters than the field holds. The first fault found is
/// given; a caller may store a value that is only too long cut to the field. A callsign of
/// spaces only is no fault: it is the empty callsign, which the save refuses as such.
CheckedInput CheckInput(const InputField& field, std::string_view utf8);

/// The same rule for a value already in Windows-1251, which has no encoding to check.
CheckedInput CheckInputText(const InputField& field, std::string_view cp1251);

}  // namespace mirva
