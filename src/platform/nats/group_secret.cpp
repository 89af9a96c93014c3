#include "group_secret.h"

#include <fstream>
#include <iterator>

#include "group/group_transport.h"

namespace mirva {

GroupSecret ParseGroupSecret(std::string_view text) {
  std::string_view line = text.substr(0, text.find('\n'));
  constexpr std::string_view kBlank = " \t\r";
  std::size_t first = line.find_first_not_of(kBlank);
  if (first == std::string_view::npos)
    throw GroupError(
        "the secret file is empty: its first line must hold the group's token "
        "or user:password");
  line = line.substr(first, line.find_last_not_of(kBlank) - first + 1);
  GroupSecret secret;
  std::size_t colon = line.find(':');
  if (colon == std::string_view::npos) {
    secret.token = line;
  } else {
    secret.user = line.substr(0, colon);
    secret.password = line.substr(colon + 1);
  }
  return secret;
}

GroupSecret ReadGroupSecret(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  std::string text(std::istreambuf_iterator<char>(file), {});
  if (!file && !file.eof())
    throw GroupError("cannot read the secret file " + path);
  try {
    return ParseGroupSecret(text);
  } catch (const GroupError& e) {
    throw GroupError(path + ": " + e.what());
  }
}

}  // namespace mirva
