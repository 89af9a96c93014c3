#include "link/ini_file.h"

#include <gtest/gtest.h>

namespace mirva {
namespace {

TEST(IniFile, ReadsAsTheWindowsProfileFunctions) {
  const IniFile ini = IniFile::Parse(
      "orphan=1\r\n"
      "[Main]\n"
      "  Key = value with blanks  \r"
      "quoted=\"  padded  \"\r\n"
      "single='x'\n"
      "unmatched=\"x'\n"
      "lone=\"\n"
      "; comment=1\n"
      "no equals line\n"
      "[open=1\n"
      "dup=first\n"
      "DUP=second\n"
      "empty=\n"
      "=nameless\n"
      "eq=a=b\n"
      "[ main ] trailing\n"
      "later=1\n"
      "[\xC6\xE0]\n"                 // "Жа"
      "\xEA\xEB\xFE\xF7=\xE4\xE0\n"  // "ключ=да"
      "[]\n"
      "hidden=1");
  struct Case {
    std::string_view section, key, value;
  } cases[] = {
      {"main", "KEY", "value with blanks"},
      {" Main ", " key ", "value with blanks"},
      {"Main", "quoted", "  padded  "},
      {"Main", "single", "x"},
      {"Main", "unmatched", "\"x'"},
      {"Main", "lone", "\""},
      {"Main", "; comment", "?"},
      {"Main", "no equals line", "?"},
      {"Main", "[open", "1"},
      {"Main", "dup", "first"},
      {"Main", "empty", ""},
      {"Main", "", "?"},
      {"Main", "eq", "a=b"},
      {"Main", "later", "?"},
      {"", "orphan", "?"},
      {"Main", "orphan", "?"},
      {"\xE6\xC0", "\xCA\xCB\xDE\xD7", "\xE4\xE0"},  // "жА", "КЛЮЧ"
      {"", "hidden", "?"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(ini.Read(c.section, c.key, "?"), c.value) << c.section << "/" << c.key;
}

TEST(IniFile, WriteChangesOneLineAndKeepsTheRest) {
  struct Case {
    std::string_view before, section, key, value, after, read_back;
  } cases[] = {
      {"[A]\r\nkey = old\r\n;c\r\nx=1\r\n", "a", "KEY", "new",  //
       "[A]\r\nkey=new\r\n;c\r\nx=1\r\n", "new"},
      {"[A]\nx=1\n\n[B]\ny=2\n", "A", "z", "3",  //
       "[A]\r\nx=1\r\nz=3\r\n\r\n[B]\r\ny=2\r\n", "3"},
      {"top\r[B]\n  odd  line \ny = 2 ", "C", "k", "v",  //
       "top\r\n[B]\r\n  odd  line \r\ny = 2 \r\n[C]\r\nk=v\r\n", "v"},
      {"[A]\nk=1\n[a]\nk=2\n", "A", "k", "3",  //
       "[A]\r\nk=3\r\n[a]\r\nk=2\r\n", "3"},
      {"", "A", "k", "one\r\ntwo", "[A]\r\nk=one\r\n", "one"},
      {"", "A", "k", " pad ", "[A]\r\nk=\" pad \"\r\n", " pad "},
      {"", "A", "k", "\"q\"", "[A]\r\nk=\"\"q\"\"\r\n", "\"q\""},
      {"", "A", "k", "'q'", "[A]\r\nk=\"'q'\"\r\n", "'q'"},
  };
  for (const Case& c : cases) {
    IniFile ini = IniFile::Parse(c.before);
    EXPECT_TRUE(ini.Write(c.section, c.key, c.value));
    EXPECT_EQ(ini.Text(), c.after) << c.before;
    EXPECT_EQ(ini.Read(c.section, c.key, "?"), c.read_back) << c.before;
    EXPECT_EQ(IniFile::Parse(ini.Text()).Read(c.section, c.key, "?"), c.read_back) << c.before;
  }
}

TEST(IniFile, WriteRefusesNamesALineCannotHold) {
  struct Case {
    std::string_view section, key;
  } cases[] = {
      {"", "k"},   {" ", "k"},   {"A", ""},     {"A", "a=b"},
      {"A", ";k"}, {"A", "[k]"}, {"A\nB", "k"}, {"A", "k\rx"},
  };
  for (const Case& c : cases) {
    IniFile ini = IniFile::Parse("[A]\nx=1\n");
    EXPECT_FALSE(ini.Write(c.section, c.key, "v")) << c.section << "/" << c.key;
    EXPECT_EQ(ini.Text(), "[A]\r\nx=1\r\n");
  }
}

TEST(IniFile, EraseSectionRemovesEverySectionOfTheName) {
  IniFile ini = IniFile::Parse("x=0\n[A]\na=1\n;note\n[b]\nb=2\n[ a ]\nc=3\n");
  ini.EraseSection("Q");
  EXPECT_EQ(ini.Text(), "x=0\r\n[A]\r\na=1\r\n;note\r\n[b]\r\nb=2\r\n[ a ]\r\nc=3\r\n");
  ini.EraseSection("a");
  EXPECT_EQ(ini.Text(), "x=0\r\n[b]\r\nb=2\r\n");
  EXPECT_EQ(ini.Read("A", "c", "?"), "?");
  ini.Write("A", "d", "4");
  EXPECT_EQ(ini.Text(), "x=0\r\n[b]\r\nb=2\r\n[A]\r\nd=4\r\n");
}

}  // namespace
}  // namespace mirva
