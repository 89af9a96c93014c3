#include "text/path_text.h"

#include "text/cp1251.h"

namespace mirva {

std::string PathText(std::string_view utf8_path) {
  return Utf8ToCp1251(utf8_path);
}

}  // namespace mirva
