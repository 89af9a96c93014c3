#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace mirva {

/// One QSO of the log. Texts are Windows-1251 bytes; each is stored in a fixed field of at
/// most the capacity given beside it, and longer texts are cut when the record is encoded.
struct TQSOData {
  double QSODate = 0;      ///< days since 1899-12-30, whole days
  std::string QSOTime;     ///< "hh:nn", at most 8
  std::string Call;        ///< at most 12
  std::string Band;        ///< at most 12
  std::string Mode;        ///< at most 4
  std::string RprtSent;    ///< at most 10
  std::string NumberSent;  ///< at most 12
  std::string RprtRcvd;    ///< at most 10
  std::string NumberRcvd;  ///< at most 12
  std::string Note;        ///< at most 127
  int32_t Points = 0;
  int32_t Points2 = 0;
  int32_t Points3 = 0;
  std::string MultsText;      ///< at most 10
  std::string CountryPrefix;  ///< at most 10

  bool operator==(const TQSOData&) const = default;
};

using TQSODataArr = std::vector<TQSOData>;

inline constexpr std::size_t kQsoRecordSize = 264;

/// Writes the 264-byte file form of the record to `out`: little-endian numbers, each text as
/// a length byte and its field's bytes (zero after the text), six zero bytes at the end.
void EncodeQSO(const TQSOData& qso, char* out);
std::string EncodeQSO(const TQSOData& qso);

/// Reads a 264-byte record. A length byte larger than its field (a damaged record) is taken
/// as the field's capacity, so any bytes decode.
TQSOData DecodeQSO(const char* in);

/// Cuts every text of the record to its field's capacity, as storing it would.
void CutToFieldSizes(TQSOData& qso);

}  // namespace mirva
