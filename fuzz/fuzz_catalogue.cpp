// Reads arbitrary bytes as the contest catalogue, checks every line, then sets up the contest
// each of its first lines names.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "contest/rules/rules.h"
#include "fuzz_check.h"
#include "memory_file_system.h"
#include "session/session.h"
#include "session_files.h"

namespace {

constexpr int kMaxSetups = 6;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  mirva::MemoryFileSystem fs;
  fs.files = mirva_fuzz::SessionFiles();
  fs.files[std::string("d/") + mirva::kCatalogueFileName].assign(
      reinterpret_cast<const char*>(data), size);
  mirva::SilentNotifier notifier;
  mirva::Session session(fs, notifier, "d");
  session.Start();
  session.LoadCatalogue();
  const std::vector<std::string>& catalogue = session.ContestCatalogue();
  int count = static_cast<int>(catalogue.size());
  // A line names a contest exactly when the check finds none wrong with it, and says why not.
  for (const std::string& line : catalogue) {
    mirva::CatalogueLine checked = mirva::CheckCatalogueLine(line);
    mirva_fuzz::Check((checked.rules != nullptr) == checked.problem.empty());
    mirva_fuzz::Check(checked.rules == mirva::FindContestRules(line));
  }
  for (int index = 0; index < count && index < kMaxSetups; ++index) {
    const mirva::ContestRules* named = mirva::FindContestRules(catalogue[index]);
    const mirva::ContestRules* before = session.Rules();
    bool set_up = session.SetupContest(catalogue[index]);
    mirva_fuzz::Check(!set_up || (named && session.Rules() == named && session.HasContest()));
    mirva_fuzz::Check(named || session.Rules() == before);
  }
  return 0;
}
