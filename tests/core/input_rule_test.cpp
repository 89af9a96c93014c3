#include "log/input_rule.h"

#include <gtest/gtest.h>

#include <string>

namespace mirva {
namespace {

struct Case {
  const InputField& field;
  std::string utf8;
  InputFault fault;
  std::string text;     ///< Windows-1251
  std::string message;  ///< empty: not checked
};

TEST(InputRule, Table) {
  const std::string page(127, 'x');
  const Case cases[] = {
      // Callsigns.
      {kCallInput, "DL1ABC", InputFault::kNone, "DL1ABC", ""},
      {kCallInput, "ja1xyz/p", InputFault::kNone, "ja1xyz/p", ""},
      {kCallInput, "", InputFault::kNone, "", ""},
      {kCallInput, "DL1ABC\nK1ABC", InputFault::kControl, "DL1ABC\nK1ABC",
       "the callsign 'DL1ABC\\x0AK1ABC' holds the control character \\x0A"},
      {kCallInput, "DL1 ABC", InputFault::kNotCallChar, "DL1 ABC", ""},
      // Spaces only are the empty callsign, which the save refuses as such; a blank beside a
      // callsign, or a control character, is still a fault.
      {kCallInput, "   ", InputFault::kNone, "", ""},
      {kCallInput, " DL1ABC", InputFault::kNotCallChar, " DL1ABC",
       "the callsign ' DL1ABC' holds ' '; a callsign is Latin letters, digits and / only"},
      {kCallInput, " 	 ", InputFault::kControl, " 	 ", ""},
      {kNoteInput, "   ", InputFault::kNone, "   ", ""},
      // A Cyrillic A looks like the Latin one but finds no country.
      {kCallInput,
       "UA3\xD0\x90"
       "BC",
       InputFault::kNotCallChar,
       "UA3\xC0"
       "BC",
       ""},
      {kCallInput, "ABCDEFGHIJKL", InputFault::kNone, "ABCDEFGHIJKL", ""},
      {kCallInput, "ABCDEFGHIJKLM", InputFault::kTooLong, "ABCDEFGHIJKLM",
       "the callsign 'ABCDEFGHIJKLM' has 13 characters; the field holds 12"},
      {kCallInput, std::string(10240, 'A'), InputFault::kTooLong, std::string(10240, 'A'),
       "the callsign '" + std::string(24, 'A') + "...' has 10240 characters; the field holds 12"},
      // Control characters anywhere else.
      {kNoteInput, "\x1B[2J", InputFault::kControl, "\x1B[2J",
       "the note '\\x1B[2J' holds the control character \\x1B"},
      {kNoteInput, std::string("a\0b", 3), InputFault::kControl, std::string("a\0b", 3), ""},
      {kNoteInput, "del\x7F", InputFault::kControl, "del\x7F", ""},
      {kNoteInput, "\xC2\x98", InputFault::kControl, "\x98", ""},  // U+0098, a C1 control
      {kRprtSentInput, "5nn", InputFault::kNone, "5nn", ""},
      {kNumberSentInput, "14 MO", InputFault::kNone, "14 MO", ""},
      // Encodings.
      {kNoteInput, "\xD0\x9F\xD1\x80\xD0\xB8\xD0\xB2\xD0\xB5\xD1\x82", InputFault::kNone,
       "\xCF\xF0\xE8\xE2\xE5\xF2", ""},                                 // Privet
      {kNoteInput, "\xE2\x84\x96 5", InputFault::kNone, "\xB9 5", ""},  // the numero sign
      {kCallInput, "DL1\xFF", InputFault::kNotUtf8, "",
       "the callsign is not valid UTF-8 text (at byte 4: 0xFF)"},
      // Lengths at the end of the field.
      {kNoteInput, page, InputFault::kNone, page, ""},
      {kNoteInput, page + "y", InputFault::kTooLong, page + "y", ""},
      {kRprtRcvdInput, "59912345678", InputFault::kTooLong, "59912345678",
       "the received report '59912345678' has 11 characters; the field holds 10"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.utf8.substr(0, 40));
    CheckedInput checked = CheckInput(c.field, c.utf8);
    EXPECT_EQ(checked.fault, c.fault);
    EXPECT_EQ(checked.text, c.text);
    EXPECT_EQ(checked.message.empty(), c.fault == InputFault::kNone);
    if (!c.message.empty()) {
      EXPECT_EQ(checked.message, c.message);
    }
  }
}

}  // namespace
}  // namespace mirva
