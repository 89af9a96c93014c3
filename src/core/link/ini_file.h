#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace mirva {

/// A private-profile (INI) file in memory, read and changed as the Windows profile functions
/// do, so that files shared with the Windows programs keep working both ways.
///
/// Reading: section and key names compare without regard to the case of Latin and Cyrillic
/// letters and without the blanks around them; a value loses the blanks around it, then one
/// pair of matching double or single quotes that wrap it. The first section of a name and the
/// first key of a name within it count. Lines whose first non-blank character is ';', lines
/// without '=' and lines before the first section header are never read, and an empty
/// section or key name is never found.
///
/// Changing: a Write or EraseSection leaves every line outside the section it changes as it
/// was; Text() ends every line with CR LF.
class IniFile {
 public:
  /// Lines may end in CR LF, LF or a lone CR; any bytes are accepted.
  static IniFile Parse(std::string_view text);

  /// The value of the key in the section, or `default_value` when there is none.
  std::string Read(std::string_view section, std::string_view key,
                   std::string_view default_value) const;

  /// Sets the key to the value: in place when the key exists, else as a new line after the
  /// last non-blank line of the section, else in a new section at the end of the file. A value
  /// is cut at its first line break, since a line cannot hold it; the rest is stored so that
  /// Read gives it back exactly, in double quotes when it has blanks or matching quotes at
  /// its ends. Returns false, changing nothing, for names a line cannot hold: an empty name, a
  /// line break in either name, or a key with '=' or starting with ';' or '['.
  bool Write(std::string_view section, std::string_view key, std::string_view value);

  /// Removes every section of that name, each with its header and all its lines.
  void EraseSection(std::string_view section);

  std::string Text() const;

 private:
  struct Section {
    std::string header;  ///< the header line as the file has it
    std::string name;    ///< the name in upper case
    std::vector<std::string> lines;
    /// Upper-case key name to the index of the first line with that key.
    std::unordered_map<std::string, std::size_t> keys;
  };

  void IndexSections();

  std::vector<std::string> prologue_;  ///< the lines before the first section header
  std::vector<Section> sections_;
  /// Upper-case section name to the index of the first section with that name.
  std::unordered_map<std::string, std::size_t> index_;
};

}  // namespace mirva
