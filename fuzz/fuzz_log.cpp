// Loads arbitrary bytes as a log file, then appends, deletes and clears.
#include <cstddef>
#include <cstdint>

#include "log/log_store.h"
#include "memory_file_system.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  mirva::MemoryFileSystem fs;
  mirva::LogStore store(fs, "log");
  std::string path = store.PathOf(mirva::kLogFileName);
  fs.files[path].assign(reinterpret_cast<const char*>(data), size);
  store.LoadLog();
  if (fs.files[path].size() != store.QSOLog().size() * mirva::kQsoRecordSize)
    __builtin_trap();
  if (!store.QSOLog().empty()) {
    mirva::TQSOData first = store.QSOLog().front();
    store.AppendQSO(first);
    store.DeleteQSO(0);
    const std::string& file = fs.files[path];
    if (file.substr(file.size() - mirva::kQsoRecordSize) != mirva::EncodeQSO(store.QSOLog().back()))
      __builtin_trap();
  }
  store.ClearLog();
  return 0;
}
