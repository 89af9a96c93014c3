#include "error.h"

#include <charconv>
#include <utility>

#include "text/strings.h"

namespace mirva {

ConversionError::ConversionError(std::string_view text)
    : std::runtime_error("'" + std::string(text) + "' is not a valid integer value") {}

ConversionError::ConversionError(Message, std::string message)
    : std::runtime_error(std::move(message)) {}

ConversionError ConversionError::Explained(std::string message) {
  return ConversionError(Message{}, std::move(message));
}

int32_t StrToInt(std::string_view text) {
  std::string_view s = Trim(text);
  // from_chars reads a minus sign but no plus sign.
  if (s.starts_with('+'))
    s.remove_prefix(1);
  int32_t value = 0;
  auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), value);
  if (ec != std::errc() || end != s.data() + s.size())
    throw ConversionError(text);
  return value;
}

}  // namespace mirva
