#include "text/strings.h"

namespace mirva {

namespace {
bool IsBlank(char c) {
  return static_cast<unsigned char>(c) <= ' ';
}
}  // namespace

std::string_view Trim(std::string_view text) {
  while (!text.empty() && IsBlank(text.front()))
    text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back()))
    text.remove_suffix(1);
  return text;
}

std::string CutTo(std::string_view text, std::size_t max) {
  return std::string(text.substr(0, max));
}

std::vector<std::string_view> SplitLines(std::string_view text) {
  std::vector<std::string_view> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find_first_of("\r\n", start);
    if (end == std::string_view::npos) {
      lines.push_back(text.substr(start));
      break;
    }
    lines.push_back(text.substr(start, end - start));
    start = end + 1;
    if (text[end] == '\r' && start < text.size() && text[start] == '\n')
      ++start;
  }
  return lines;
}

std::vector<std::string_view> SplitWords(std::string_view text, std::string_view separators,
                                         std::size_t max) {
  std::vector<std::string_view> words;
  std::size_t pos = text.find_first_not_of(separators);
  while (pos != std::string_view::npos && words.size() < max) {
    std::size_t end = text.find_first_of(separators, pos);
    if (end == std::string_view::npos)
      end = text.size();
    words.push_back(text.substr(pos, end - pos));
    pos = text.find_first_not_of(separators, end);
  }
  return words;
}

bool IsControlChar(char c) {
  const auto byte = static_cast<unsigned char>(c);
  return byte < 0x20 || byte == 0x7F || byte == 0x98;
}

std::string Visible(std::string_view text) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string out;
  for (char c : text) {
    if (!IsControlChar(c)) {
      out += c;
      continue;
    }
    const auto byte = static_cast<unsigned char>(c);
    out += "\\x";
    out += kHex[byte >> 4];
    out += kHex[byte & 0xF];
  }
  return out;
}

std::string ShortQuote(std::string_view text) {
  constexpr std::size_t kShown = 24;
  std::string shown = "'" + Visible(text.substr(0, kShown));
  return shown + (text.size() > kShown ? "...'" : "'");
}

std::string PadLeft(std::string_view text, std::size_t width, char fill) {
  std::string out;
  if (text.size() < width)
    out.assign(width - text.size(), fill);
  out.append(text);
  return out;
}

}  // namespace mirva
