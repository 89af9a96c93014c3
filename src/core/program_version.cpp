#include "program_version.h"

namespace mirva {

std::string_view ProgramVersion() {
  return MIRVA_VERSION_LABEL;
}

}  // namespace mirva
