// Reads arbitrary bytes as the operators file, writes the list it read back into the file
// and checks that the same list, and the file's other sections, read back.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "fuzz_check.h"
#include "link/ini_file.h"
#include "memory_file_system.h"
#include "reports/operators.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  mirva::MemoryFileSystem fs;
  const std::string path = mirva::kOperatorsFileName;
  fs.files[path].assign(reinterpret_cast<const char*>(data), size);
  const mirva::IniFile before = mirva::IniFile::Parse(fs.files[path]);
  std::vector<mirva::TOperator> ops = mirva::ReadOperators(fs, path);
  for (const mirva::TOperator& op : ops) {
    mirva_fuzz::Check(op.Name.size() <= mirva::TOperator::kNameLength && op.Name != "---");
    mirva_fuzz::Check(op.Call.size() <= mirva::TOperator::kCallLength);
  }
  mirva::WriteOperators(fs, path, ops);
  mirva_fuzz::Check(fs.files.size() == 1);
  mirva_fuzz::Check(mirva::ReadOperators(fs, path) == ops);
  // A section of another name reads as before.
  const mirva::IniFile after = mirva::IniFile::Parse(fs.files[path]);
  mirva_fuzz::Check(after.Read("Station", "Call", "\x01") ==
                    before.Read("Station", "Call", "\x01"));

  // A longer list with a name that would end it is written in full.
  ops.push_back({"---", "Last", "Sec", "CALL", "rank"});
  ops.push_back({"Next", "", "", "", ""});
  mirva::WriteOperators(fs, path, ops);
  mirva_fuzz::Check(mirva::ReadOperators(fs, path).size() == ops.size());
  return 0;
}
