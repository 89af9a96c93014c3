// Loads arbitrary bytes as the group's outbox: what is left of the file after the load is
// exactly the changes it took, and a second load takes the same ones.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "group/group_outbox.h"
#include "memory_file_system.h"

namespace {

/// The changes as bytes: a record's date may be NaN, which equals nothing.
std::string Bytes(const std::vector<mirva::GroupChange>& changes) {
  std::string bytes;
  for (const mirva::GroupChange& change : changes)
    bytes += mirva::EncodeChange(change);
  return bytes;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  mirva::MemoryFileSystem fs;
  fs.files["outbox"].assign(reinterpret_cast<const char*>(data), size);
  mirva::GroupOutbox outbox(fs, "outbox");
  outbox.Load();
  mirva::GroupOutbox again(fs, "outbox");
  again.Load();
  if (Bytes(again.changes()) != Bytes(outbox.changes()) || fs.files["outbox"].size() > size)
    std::abort();
  outbox.DropFirst(outbox.changes().size() / 2);
  return 0;
}
