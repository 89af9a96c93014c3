#include "reports/operators.h"

#include <optional>
#include <string_view>

#include "error.h"
#include "link/ini_file.h"
#include "replace_file.h"
#include "text/path_text.h"
#include "text/strings.h"

namespace mirva {

namespace {

constexpr char kSection[] = "Operators";
constexpr char kEndOfList[] = "---";

}  // namespace

std::string OperatorLine(const TOperator& op) {
  std::string line;
  for (const std::string* field : {&op.Call, &op.Name, &op.SecName, &op.LastName})
    line += std::string(Trim(*field)) + " ";
  return std::string(Trim(line));
}

std::vector<TOperator> ReadOperators(FileSystem& fs, const std::string& path) {
  std::vector<TOperator> ops;
  std::optional<std::string> text = fs.ReadFile(path);
  if (!text)
    return ops;
  IniFile ini = IniFile::Parse(*text);
  for (std::size_t n = 0;; ++n) {
    std::string i = std::to_string(n);
    std::string name = ini.Read(kSection, "Name" + i, kEndOfList);
    if (name == kEndOfList)
      break;
    TOperator op;
    op.Name = CutTo(name, TOperator::kNameLength);
    op.SecName = CutTo(ini.Read(kSection, "SecName" + i, ""), TOperator::kSecNameLength);
    op.LastName = CutTo(ini.Read(kSection, "LastName" + i, ""), TOperator::kLastNameLength);
    op.Call = CutTo(ini.Read(kSection, "Call" + i, ""), TOperator::kCallLength);
    op.SportsRank = CutTo(ini.Read(kSection, "SportsRank" + i, ""), TOperator::kSportsRankLength);
    ops.push_back(std::move(op));
  }
  return ops;
}

void WriteOperators(FileSystem& fs, const std::string& path, const std::vector<TOperator>& ops) {
  std::optional<std::string> old = fs.ReadFile(path);
  if (!old && fs.Exists(path))
    throw IoError("Cannot read the operators file " + PathText(path));
  IniFile ini = IniFile::Parse(old.value_or(""));
  ini.EraseSection(kSection);
  for (std::size_t n = 0; n < ops.size(); ++n) {
    const TOperator& op = ops[n];
    std::string i = std::to_string(n);
    std::string name = CutTo(op.Name, TOperator::kNameLength);
    ini.Write(kSection, "Name" + i, name == kEndOfList ? "" : name);
    ini.Write(kSection, "SecName" + i, CutTo(op.SecName, TOperator::kSecNameLength));
    ini.Write(kSection, "LastName" + i, CutTo(op.LastName, TOperator::kLastNameLength));
    ini.Write(kSection, "Call" + i, CutTo(op.Call, TOperator::kCallLength));
    ini.Write(kSection, "SportsRank" + i, CutTo(op.SportsRank, TOperator::kSportsRankLength));
  }
  ReplaceFile(fs, path, ini.Text(), "The operators were not saved to");
}

}  // namespace mirva
