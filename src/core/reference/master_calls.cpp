#include "reference/master_calls.h"

#include <algorithm>
#include <unordered_set>

#include "text/strings.h"

namespace mirva {

namespace {

bool IsLetter(char c) {
  return c >= 'A' && c <= 'Z';
}

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

std::string AsciiUpper(std::string_view text) {
  std::string upper(text);
  for (char& c : upper) {
    if (c >= 'a' && c <= 'z')
      c = static_cast<char>(c - 'a' + 'A');
  }
  return upper;
}

void AddCall(MasterCallList& list, std::string_view call) {
  auto id = static_cast<uint32_t>(list.size());
  list.packed += call;
  list.packed += '\n';
  list.starts.push_back(static_cast<uint32_t>(list.packed.size()));
  CallLengthBucket& bucket = list.by_length[call.size()];
  bucket.calls += call;
  bucket.ids.push_back(id);
}

}  // namespace

bool IsPlausibleCall(std::string_view text) {
  if (text.size() < 3 || text.size() > kMaxMasterCallLength)
    return false;
  if (text.front() == '/' || text.back() == '/' || text.find("//") != std::string_view::npos)
    return false;
  bool letter = false;
  bool digit = false;
  for (char c : text) {
    letter |= IsLetter(c);
    digit |= IsDigit(c);
    if (!IsLetter(c) && !IsDigit(c) && c != '/')
      return false;
  }
  return letter && digit;
}

MasterCallList ParseMasterCalls(std::string_view text) {
  MasterCallList list;
  list.by_length.resize(kMaxMasterCallLength + 1);
  list.packed.reserve(text.size());
  std::unordered_set<std::string> seen;
  std::size_t number = 0;
  for (std::string_view line : SplitLines(text)) {
    ++number;
    line = Trim(line);
    if (line.empty() || line.front() == '#')
      continue;
    std::string call = AsciiUpper(line);
    if (!IsPlausibleCall(call)) {
      if (list.skipped_lines++ == 0)
        list.first_skipped_line = number;
      continue;
    }
    if (seen.insert(call).second)
      AddCall(list, call);
  }
  return list;
}

}  // namespace mirva
