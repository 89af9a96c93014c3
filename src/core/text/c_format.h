#pragma once

#include <concepts>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

namespace mirva {

/// One argument of CFormat: a text or a whole number.
class FormatArg {
 public:
  FormatArg(const char* text) : text_(text) {}
  FormatArg(const std::string& text) : text_(text) {}
  FormatArg(std::string_view text) : text_(text) {}
  template <std::integral T>
  FormatArg(T number) : number_(static_cast<int64_t>(number)), is_number_(true) {}

  bool is_number() const { return is_number_; }
  std::string_view text() const { return text_; }
  int64_t number() const { return number_; }

 private:
  std::string_view text_;
  int64_t number_ = 0;
  bool is_number_ = false;
};

/// The text of a C-style format holding "%s" and "%d" conversions, each with an optional "-"
/// and minimum width: blanks pad on the left, or on the right after "-", and a longer value is
/// never cut; "%%" is a percent sign. Widths count bytes, as Windows-1251 has one per
/// character. Throws std::invalid_argument when the conversions and the arguments disagree.
std::string CFormat(std::string_view format, std::initializer_list<FormatArg> args);

}  // namespace mirva
