#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "text/text_map.h"

namespace mirva {

/// One country of a country file, read from its header line.
struct TCountry {
  std::string Name;       ///< Any length.
  std::string ITUZone;    ///< At most 4 characters.
  std::string CQZone;     ///< At most 4 characters.
  std::string Continent;  ///< At most 2 characters.
  std::string Latitude;   ///< At most 6 characters, degrees as written.
  std::string Longitude;  ///< At most 6 characters, degrees as written.
  std::string UTCOffset;  ///< At most 5 characters.
  std::string Prefix;     ///< At most 10 characters, primary prefix without the "*".
  bool WAE = false;       ///< The primary prefix was written "*XX": counted only on the WAE list.
};

/// One prefix word of a country file; every field is at most 10 characters.
struct TPrefixEntry {
  std::string Prefix;   ///< The text a callsign must begin with, zone overrides taken out.
  std::string Primary;  ///< Prefix of the country the word belongs to.
  std::string ITUZone;
  std::string CQZone;
};

/// The countries and prefix words of one country file, with an index for fast lookup.
class CountryDatabase {
 public:
  /// Replaces both lists by those of a country file's text (empty text: both lists empty).
  void Load(std::string_view text);
  void Clear();

  const std::vector<TCountry>& CountryList() const { return countries_; }
  const std::vector<TPrefixEntry>& PrefixList() const { return prefixes_; }

  /// Renames a country (one contest shows a country under another name until the next load);
  /// throws std::out_of_range when index is not below CountryList().size().
  void SetCountryName(std::size_t index, std::string name);

  /// Fills rec from the longest matching prefix and returns true; leaves rec untouched and
  /// returns false when nothing matches. allow_wae: whether WAE-only countries may be found
  /// (true when no contest is set up or the contest's UseWAE is set).
  bool FindCountry(std::string_view call, TCountry& rec, bool allow_wae) const;

 private:
  static constexpr std::size_t kNone = static_cast<std::size_t>(-1);

  /// A prefix entry together with the country its Primary names first in CountryList.
  struct Hit {
    std::size_t entry = kNone;
    std::size_t country = kNone;
  };

  /// For one prefix text, the first entry in file order whose country is known, and the first
  /// whose country is also not WAE-only: the two answers a scan of equal texts can give.
  struct Candidates {
    Hit first;
    Hit first_non_wae;
  };

  void BuildIndex();

  std::vector<TCountry> countries_;
  std::vector<TPrefixEntry> prefixes_;
  TextMap<Candidates> index_;
  std::size_t longest_prefix_ = 0;
};

/// What the text of a country file can be used for.
enum class CountryText {
  kUsable,
  kNoPrefixes,  ///< not one prefix word: an empty file, or one that is no country file
  kCutShort,    ///< the last country's prefix list is not closed by ";"
};

/// Judges the text of a country file that `loaded` was loaded from. Every country's prefix
/// list ends with ";", so a text whose last non-blank line is not a prefix line ending so was
/// cut short, in a copy or a download, and lacks countries.
CountryText CheckCountryText(std::string_view text, const CountryDatabase& loaded);

}  // namespace mirva
