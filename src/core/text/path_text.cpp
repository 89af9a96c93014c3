#include "text/path_text.h"

#include "text/cp1251.h"

namespace mirva {

std::string PathText(std::string_view utf8_path) {
  return Utf8ToCp1251(utf8_path);
}

std::string FoldedName(std::string_view name) {
  std::string folded(name);
  for (char& c : folded)
    if (c >= 'A' && c <= 'Z')
      c = static_cast<char>(c - 'A' + 'a');
  return folded;
}

}  // namespace mirva
