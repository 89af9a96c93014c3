#include "wsjtx/adif_record.h"

#include <cctype>

namespace mirva {

namespace {

std::string Upper(std::string_view text) {
  std::string upper(text);
  for (char& c : upper)
    c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return upper;
}

/// The position just past the tag <NAME> in any letter case, or npos.
std::size_t PastTag(std::string_view text, std::string_view tag) {
  std::size_t at = Upper(text).find(tag);
  return at == std::string_view::npos ? at : at + tag.size();
}

}  // namespace

std::string AdifRecord::Get(std::string_view name) const {
  auto found = fields.find(std::string(name));
  return found == fields.end() ? std::string() : found->second;
}

AdifRecord ReadAdifRecord(std::string_view text) {
  AdifRecord record;
  // A text that starts with a field has no header, even when a value holds "<EOH>".
  if (!text.empty() && text.front() != '<') {
    std::size_t body = PastTag(text, "<EOH>");
    if (body != std::string_view::npos)
      text.remove_prefix(body);
  }
  std::size_t at = 0;
  while ((at = text.find('<', at)) != std::string_view::npos) {
    std::size_t close = text.find('>', at);
    if (close == std::string_view::npos)
      break;
    std::string_view tag = text.substr(at + 1, close - at - 1);
    at = close + 1;
    std::size_t colon = tag.find(':');
    std::string name = Upper(tag.substr(0, colon));
    if (name == "EOR")
      break;
    if (colon == std::string_view::npos)
      continue;  // <EOH> or a stray tag: nothing to read
    std::string_view length_text = tag.substr(colon + 1);
    length_text = length_text.substr(0, length_text.find(':'));
    std::size_t length = 0;
    bool digits = !length_text.empty() && length_text.size() <= 6;
    for (char c : length_text) {
      digits = digits && std::isdigit(static_cast<unsigned char>(c));
      length = length * 10 + static_cast<std::size_t>(c - '0');
    }
    if (!digits || name.empty()) {
      record.error = "ADIF field <" + std::string(tag.substr(0, 40)) + "> has no valid length";
      return record;
    }
    if (text.size() - at < length) {
      record.error = "ADIF field " + name + " says " + std::to_string(length) + " bytes but only " +
                     std::to_string(text.size() - at) + " follow";
      return record;
    }
    record.fields[name] = std::string(text.substr(at, length));
    at += length;
  }
  if (record.fields.empty())
    record.error = "the ADIF text holds no field";
  return record;
}

}  // namespace mirva
