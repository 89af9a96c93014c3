#include "contest/mult_list.h"

#include "text/strings.h"

namespace mirva {

void AddMult(TMultArray& list, std::string_view key) {
  list.push_back(TMultEntry{CutTo(key, 10), {}});
}

}  // namespace mirva
