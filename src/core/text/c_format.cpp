#include "text/c_format.h"

#include <stdexcept>

namespace mirva {

namespace {

void Pad(std::string& out, std::string_view value, std::size_t width, bool left) {
  std::size_t fill = value.size() < width ? width - value.size() : 0;
  if (!left)
    out.append(fill, ' ');
  out += value;
  if (left)
    out.append(fill, ' ');
}

}  // namespace

std::string CFormat(std::string_view format, std::initializer_list<FormatArg> args) {
  std::string out;
  const FormatArg* arg = args.begin();
  for (std::size_t i = 0; i < format.size(); ++i) {
    if (format[i] != '%') {
      out += format[i];
      continue;
    }
    if (++i < format.size() && format[i] == '%') {
      out += '%';
      continue;
    }
    bool left = i < format.size() && format[i] == '-';
    if (left)
      ++i;
    std::size_t width = 0;
    for (; i < format.size() && format[i] >= '0' && format[i] <= '9'; ++i)
      width = width * 10 + static_cast<std::size_t>(format[i] - '0');
    if (i >= format.size() || (format[i] != 's' && format[i] != 'd'))
      throw std::invalid_argument("bad conversion in format '" + std::string(format) + "'");
    if (arg == args.end() || arg->is_number() != (format[i] == 'd'))
      throw std::invalid_argument("arguments do not fit format '" + std::string(format) + "'");
    if (arg->is_number())
      Pad(out, std::to_string(arg->number()), width, left);
    else
      Pad(out, arg->text(), width, left);
    ++arg;
  }
  if (arg != args.end())
    throw std::invalid_argument("too many arguments for format '" + std::string(format) + "'");
  return out;
}

}  // namespace mirva
