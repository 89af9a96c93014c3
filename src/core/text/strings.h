#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace mirva {

/// The text without the characters up to and including the blank (codes 0 to 32) at both ends.
std::string_view Trim(std::string_view text);

/// The first `max` bytes of the text: how a text is stored in a field of at most `max` characters.
std::string CutTo(std::string_view text, std::size_t max);

/// The lines of a text file, split at CR LF, LF or a lone CR; a line break at the very end
/// does not start another line, and an empty text has no lines.
std::vector<std::string_view> SplitLines(std::string_view text);

/// The first `max` words of the text, words being maximal runs of characters not in
/// `separators`.
std::vector<std::string_view> SplitWords(std::string_view text, std::string_view separators,
                                         std::size_t max = static_cast<std::size_t>(-1));

/// Whether a Windows-1251 byte is a control character: codes 0 to 31, DEL (127) and the
/// unassigned 0x98, which reads as the control U+0098.
bool IsControlChar(char c);

/// The text with each control character written as \xNN, for a message that quotes what was
/// typed without handing the terminal a line break or an escape sequence.
std::string Visible(std::string_view text);

/// The text in single quotes as Visible shows it, cut after 24 characters with "...": for a
/// message that quotes a value, so that a pasted page does not fill the screen.
std::string ShortQuote(std::string_view text);

/// The text left-padded with `fill` to at least `width` characters.
std::string PadLeft(std::string_view text, std::size_t width, char fill);

}  // namespace mirva
