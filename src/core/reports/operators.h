#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "file_system.h"

namespace mirva {

/// One of the station's operators, as the summary report lists them.
struct TOperator {
  static constexpr std::size_t kNameLength = 20;
  static constexpr std::size_t kLastNameLength = 20;
  static constexpr std::size_t kSecNameLength = 20;
  static constexpr std::size_t kCallLength = 12;
  static constexpr std::size_t kSportsRankLength = 20;

  std::string Name;
  std::string LastName;
  std::string SecName;  ///< the patronymic
  std::string Call;
  std::string SportsRank;

  bool operator==(const TOperator&) const = default;
};

inline constexpr char kOperatorsFileName[] = "operators.ini";

/// The line the operator list shows: call, name, patronymic and last name, each trimmed,
/// joined by single blanks, and the whole trimmed again.
std::string OperatorLine(const TOperator& op);

/// The operators of the [Operators] section, numbered from 0 in the keys Name0, SecName0,
/// LastName0, Call0, SportsRank0, Name1, ...; the list ends before the first number whose
/// Name is missing or "---". Each value is cut to its field's length. A missing or unreadable
/// file gives no operators.
std::vector<TOperator> ReadOperators(FileSystem& fs, const std::string& path);

/// Replaces the [Operators] section of the file by the list, keeping its other sections, and
/// puts the new file in place with one rename (ReplaceFile). Each value is cut to its
/// field's length. A Name of exactly "---" would end the list for every reader, so it is
/// written empty and the operators after it stay readable. Throws IoError when the file
/// exists but cannot be read, rather than lose its other sections.
void WriteOperators(FileSystem& fs, const std::string& path, const std::vector<TOperator>& ops);

}  // namespace mirva
