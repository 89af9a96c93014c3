// Loads arbitrary bytes as the group's outbox: what is left of the file after the load is
// exactly the changes it took, and a second load takes the same ones.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "group/group_outbox.h"
#include "memory_file_system.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  mirva::MemoryFileSystem fs;
  fs.files["outbox"].assign(reinterpret_cast<const char*>(data), size);
  mirva::GroupOutbox outbox(fs, "outbox");
  outbox.Load();
  mirva::GroupOutbox again(fs, "outbox");
  again.Load();
  if (again.changes() != outbox.changes() || fs.files["outbox"].size() > size)
    std::abort();
  outbox.DropFirst(outbox.changes().size() / 2);
  return 0;
}
