#pragma once

#include <string>
#include <string_view>

namespace mirva {

/// The group's shared secret: a token, or a user and a password.
struct GroupSecret {
  std::string token;
  std::string user;
  std::string password;
};

/// The secret of a file's first line, trimmed: "user:password" names a user, anything else is
/// a token. An empty line is a GroupError.
GroupSecret ParseGroupSecret(std::string_view text);

/// The secret in the file at `path`; a file that cannot be read is a GroupError that names the
/// file, never its content.
GroupSecret ReadGroupSecret(const std::string& path);

}  // namespace mirva
