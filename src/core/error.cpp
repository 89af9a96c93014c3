#include "error.h"

#include <charconv>

namespace mirva {

namespace {
std::string ConversionMessage(std::string_view text) {
  std::string message = "'";
  message.append(text);
  message.append("' is not a valid integer value");
  return message;
}
}  // namespace

ConversionError::ConversionError(std::string_view text)
    : std::runtime_error(ConversionMessage(text)) {}

int32_t StrToInt(std::string_view text) {
  std::string_view s = text;
  while (!s.empty() && static_cast<unsigned char>(s.front()) <= ' ')
    s.remove_prefix(1);
  while (!s.empty() && static_cast<unsigned char>(s.back()) <= ' ')
    s.remove_suffix(1);
  if (!s.empty() && s.front() == '+')
    s.remove_prefix(1);
  if (s.empty() || s.front() == '+')
    throw ConversionError(text);
  int32_t value = 0;
  auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), value);
  if (ec != std::errc() || end != s.data() + s.size())
    throw ConversionError(text);
  return value;
}

}  // namespace mirva
