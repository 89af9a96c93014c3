#pragma once

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "error.h"
#include "file_system.h"
#include "log/log_store.h"

namespace mirva {

/// How far a failing call gets.
enum class Strike {
  kBefore,  ///< nothing is done
  kPart,    ///< half the bytes are written; a call that writes no bytes does nothing
  kAfter,   ///< all is done, then the flush of the file or of its folder fails
};

/// The files of another file system, with chosen calls made to fail. The calls are counted
/// by operation: "write" (WriteFile and WriteFileLike), "write-at",
/// "write-unsynced", "sync", "truncate", "rename", "link" and "remove".
class FailingFileSystem : public FileSystem {
 public:
  explicit FailingFileSystem(FileSystem& inner) : inner_(inner) {}

  /// Runs before each counted call and may throw to fail it.
  std::function<void(const std::string& op, const std::string& path)> before;
  /// When set, every read fails as for a file that cannot be read.
  bool unreadable = false;

  /// Makes call number `nth` (from 1, counted from now on) of `op` fail; every call when 0.
  void Fail(const std::string& op, int nth, Strike strike) {
    faults_.push_back({op, nth == 0 ? 0 : Calls(op) + nth, strike});
  }
  /// Forgets the calls made so far and the failures not met.
  void Reset() {
    calls_.clear();
    faults_.clear();
  }
  /// How many calls of `op` were made.
  int Calls(const std::string& op) const {
    auto found = calls_.find(op);
    return found == calls_.end() ? 0 : found->second;
  }

  std::optional<std::string> ReadFile(const std::string& p) override {
    return unreadable ? std::nullopt : inner_.ReadFile(p);
  }
  bool Exists(const std::string& p) override { return inner_.Exists(p); }
  bool SameFile(const std::string& a, const std::string& b) override {
    return inner_.SameFile(a, b);
  }
  std::string LinkTarget(const std::string& p) override { return inner_.LinkTarget(p); }
  bool ReadOnly(const std::string& p) override { return inner_.ReadOnly(p); }
  std::vector<std::string> FileNames(const std::string& f) override { return inner_.FileNames(f); }

  void WriteFile(const std::string& p, std::string_view b) override {
    Write("write", p, b, [&](std::string_view part) { inner_.WriteFile(p, part); });
  }
  void WriteFileLike(const std::string& p, std::string_view b, const std::string& m) override {
    Write("write", p, b, [&](std::string_view part) { inner_.WriteFileLike(p, part, m); });
  }
  void WriteAt(const std::string& p, std::uint64_t o, std::string_view b) override {
    Write("write-at", p, b, [&](std::string_view part) { inner_.WriteAt(p, o, part); });
  }
  void WriteAtUnsynced(const std::string& p, std::uint64_t o, std::string_view b) override {
    Write("write-unsynced", p, b,
          [&](std::string_view part) { inner_.WriteAtUnsynced(p, o, part); });
  }
  void Sync(const std::string& p) override {
    Act("sync", p, [&] { inner_.Sync(p); });
  }
  void Truncate(const std::string& p, std::uint64_t s) override {
    Act("truncate", p, [&] { inner_.Truncate(p, s); });
  }
  void Rename(const std::string& f, const std::string& t) override {
    Act("rename", f, [&] { inner_.Rename(f, t); });
  }
  void LinkOrCopy(const std::string& f, const std::string& t) override {
    Act("link", f, [&] { inner_.LinkOrCopy(f, t); });
  }
  void Remove(const std::string& p) override {
    Act("remove", p, [&] { inner_.Remove(p); });
  }

 private:
  struct Fault {
    std::string op;
    int call;  ///< 0 for every call
    Strike strike;
  };

  /// Counts the call; how it fails, if it is one to fail.
  std::optional<Strike> Next(const std::string& op, const std::string& path) {
    if (before)
      before(op, path);
    int call = ++calls_[op];
    for (const Fault& fault : faults_) {
      if (fault.op == op && (fault.call == call || fault.call == 0))
        return fault.strike;
    }
    return std::nullopt;
  }

  void Write(const std::string& op, const std::string& path, std::string_view bytes,
             const std::function<void(std::string_view)>& write) {
    std::optional<Strike> strike = Next(op, path);
    if (strike == Strike::kPart)
      write(bytes.substr(0, bytes.size() / 2));
    if (!strike || strike == Strike::kAfter)
      write(bytes);
    if (strike)
      throw IoError("Injected failure: " + op + " " + path);
  }

  void Act(const std::string& op, const std::string& path, const std::function<void()>& act) {
    std::optional<Strike> strike = Next(op, path);
    if (!strike || strike == Strike::kAfter)
      act();
    if (strike)
      throw IoError("Injected failure: " + op + " " + path);
  }

  FileSystem& inner_;
  std::map<std::string, int> calls_;
  std::vector<Fault> faults_;
};

/// The bytes of the records the store holds in memory, to set beside its file.
inline std::string MemoryOf(const LogStore& store) {
  std::string bytes;
  QsoLog log = store.QSOLog();
  for (std::size_t i = 0; i < log.size(); ++i)
    bytes += log.Record(i).Bytes();
  return bytes;
}

}  // namespace mirva
