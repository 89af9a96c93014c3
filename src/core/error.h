#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

namespace mirva {

/// A file operation failed; what() is the text shown to the operator.
class IoError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

/// A text that had to be an integer was not; what() is "'TEXT' is not a valid integer value",
/// or, where the caller knows the field, a message that names it and the form it takes.
class ConversionError : public std::runtime_error {
 public:
  explicit ConversionError(std::string_view text);
  /// An error whose what() is `message`.
  static ConversionError Explained(std::string message);

 private:
  struct Message {};
  ConversionError(Message, std::string message);
};

/// Reads a whole text as a signed 32-bit decimal integer (optional sign, then digits, with
/// blanks around it allowed); throws ConversionError for anything else, empty text included.
int32_t StrToInt(std::string_view text);

}  // namespace mirva
