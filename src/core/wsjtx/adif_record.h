#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace mirva {

/// The fields of one ADIF record by upper-case name, or why the text holds none.
struct AdifRecord {
  std::map<std::string, std::string> fields;
  std::string error;

  /// The field's value, empty when the record lacks it.
  std::string Get(std::string_view name) const;
};

/// Reads the first record of an ADIF text: the header up to <EOH>, when there is one, is
/// skipped; fields are <NAME:LENGTH[:TYPE]>VALUE with LENGTH counting bytes, names in any
/// letter case; the record ends at <EOR> or with the text. A field whose length runs past the
/// end, or a text without a field, is an error.
AdifRecord ReadAdifRecord(std::string_view text);

}  // namespace mirva
