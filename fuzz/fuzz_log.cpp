// Loads arbitrary bytes as a log file, then appends, deletes and clears.
#include <cstddef>
#include <cstdint>
#include <map>

#include "error.h"
#include "log/log_store.h"

namespace {

/// Files held in memory, so the fuzzer never touches the disk.
class MemoryFileSystem : public mirva::FileSystem {
 public:
  std::map<std::string, std::string> files;

  std::optional<std::string> ReadFile(const std::string& p) override {
    auto it = files.find(p);
    return it == files.end() ? std::nullopt : std::optional<std::string>(it->second);
  }
  void Append(const std::string& p, std::string_view b) override { files[p] += b; }
  void WriteAt(const std::string& p, std::uint64_t o, std::string_view b) override {
    std::string& f = Existing(p);
    if (f.size() < o + b.size())
      f.resize(o + b.size());
    f.replace(o, b.size(), b);
  }
  void WriteFile(const std::string& p, std::string_view b) override { files[p] = b; }
  void Truncate(const std::string& p, std::uint64_t s) override { Existing(p).resize(s); }
  void Rename(const std::string& f, const std::string& t) override {
    files[t] = Existing(f);
    files.erase(f);
  }
  void LinkOrCopy(const std::string& f, const std::string& t) override { files[t] = Existing(f); }
  void Remove(const std::string& p) override { files.erase(p); }
  bool Exists(const std::string& p) override { return files.count(p) > 0; }

 private:
  std::string& Existing(const std::string& p) {
    auto it = files.find(p);
    if (it == files.end())
      throw mirva::IoError("missing " + p);
    return it->second;
  }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  MemoryFileSystem fs;
  mirva::LogStore store(fs, "log");
  std::string path = store.PathOf(mirva::kLogFileName);
  fs.files[path].assign(reinterpret_cast<const char*>(data), size);
  store.LoadLog();
  if (fs.files[path].size() != store.QSOLog().size() * mirva::kQsoRecordSize)
    __builtin_trap();
  if (!store.QSOLog().empty()) {
    mirva::TQSOData first = store.QSOLog().front();
    store.AppendQSO(first, 0);
    store.DeleteQSO(0);
    const std::string& file = fs.files[path];
    if (file.substr(file.size() - mirva::kQsoRecordSize) != mirva::EncodeQSO(store.QSOLog().back()))
      __builtin_trap();
  }
  store.ClearLog();
  return 0;
}
