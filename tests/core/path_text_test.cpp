#include "text/path_text.h"

#include <gtest/gtest.h>

#include <string>

namespace mirva {
namespace {

TEST(PathText, PutsUtf8PathsIntoWindows1251Texts) {
  struct Case {
    const char* name;
    std::string utf8;
    std::string shown;
  };
  const Case cases[] = {
      {"empty", "", ""},
      {"ASCII", "/home/op/log 2.adi", "/home/op/log 2.adi"},
      {"Cyrillic with yo", "/tmp/Журнал/отчёт.sum",
       "/tmp/\xC6\xF3\xF0\xED\xE0\xEB/\xEE\xF2\xF7\xB8\xF2.sum"},
      {"Ukrainian and Serbian letters", "Їжак/Ђак", "\xAF\xE6\xE0\xEA/\x80\xE0\xEA"},
      {"Latin letters the code page lacks", "Köln/Straße", "K?ln/Stra?e"},
      {"signs the code page has", "№ 1 «x»", "\xB9 1 \xABx\xBB"},
      {"a character beyond the BMP", "a\xF0\x9F\x93\xBB.adi", "a?.adi"},
      {"Windows separators kept", "C:\\Логи\\a.dat", "C:\\\xCB\xEE\xE3\xE8\\a.dat"},
      {"a lone lead byte", "a\xD0/b", "a?/b"},
      {"a byte that is never UTF-8", "a\xFF/z", "a?/z"},
      {"a cut 3-byte sequence", "a\xE2\x84", "a?"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(PathText(c.utf8), c.shown) << c.name;
}

}  // namespace
}  // namespace mirva
