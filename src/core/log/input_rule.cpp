#include "log/input_rule.h"

#include <cstdio>

#include "text/cp1251.h"
#include "text/strings.h"

namespace mirva {

namespace {

bool IsCallChar(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '/';
}

CheckedInput Fault(CheckedInput input, InputFault fault, const InputField& field,
                   std::string_view what) {
  input.fault = fault;
  input.message = "the " + std::string(field.name) + " " + std::string(what);
  return input;
}

std::string Hex(unsigned value, int digits) {
  char text[16];
  std::snprintf(text, sizeof text, "%0*X", digits, value);
  return text;
}

}  // namespace

CheckedInput CheckInputText(const InputField& field, std::string_view cp1251) {
  CheckedInput input;
  // A callsign of spaces only is an empty one to the operator, and is taken as one.
  if (field.callsign && cp1251.find_first_not_of(' ') == std::string_view::npos)
    return input;
  input.text = cp1251;
  for (char c : cp1251) {
    if (IsControlChar(c)) {
      return Fault(std::move(input), InputFault::kControl, field,
                   ShortQuote(cp1251) + " holds the control character " + Visible({&c, 1}));
    }
  }
  if (field.callsign) {
    for (char c : cp1251) {
      if (!IsCallChar(c)) {
        return Fault(std::move(input), InputFault::kNotCallChar, field,
                     ShortQuote(cp1251) + " holds '" + c +
                         "'; a callsign is Latin letters, digits and / only");
      }
    }
  }
  if (cp1251.size() > field.capacity) {
    return Fault(std::move(input), InputFault::kTooLong, field,
                 ShortQuote(cp1251) + " has " + std::to_string(cp1251.size()) +
                     " characters; the field holds " + std::to_string(field.capacity));
  }
  return input;
}

CheckedInput CheckInput(const InputField& field, std::string_view utf8) {
  CheckedCp1251 converted = Utf8ToCp1251Checked(utf8);
  switch (converted.fault) {
    case Utf8Fault::kNone:
      return CheckInputText(field, converted.text);
    case Utf8Fault::kMalformed:
      return Fault({}, InputFault::kNotUtf8, field,
                   "is not valid UTF-8 text (at byte " + std::to_string(converted.offset + 1) +
                       ": 0x" + Hex(static_cast<unsigned char>(utf8[converted.offset]), 2) + ")");
    case Utf8Fault::kNoByte:
      break;
  }
  return Fault(
      {}, InputFault::kNoCp1251, field,
      "holds U+" + Hex(converted.code_point, 4) + ", a character that Windows-1251 cannot hold");
}

}  // namespace mirva
