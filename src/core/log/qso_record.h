#pragma once

#include <algorithm>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
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

/// Where a text sits in the record: the offset of its length byte and its capacity.
struct TextSlot {
  std::size_t offset;
  std::size_t capacity;
};

inline constexpr TextSlot kTimeSlot{8, 8};
inline constexpr TextSlot kCallSlot{17, 12};
inline constexpr TextSlot kBandSlot{30, 12};
inline constexpr TextSlot kModeSlot{43, 4};
inline constexpr TextSlot kRprtSentSlot{48, 10};
inline constexpr TextSlot kNumberSentSlot{59, 12};
inline constexpr TextSlot kRprtRcvdSlot{72, 10};
inline constexpr TextSlot kNumberRcvdSlot{83, 12};
inline constexpr TextSlot kNoteSlot{96, 127};
inline constexpr TextSlot kMultsTextSlot{236, 10};
inline constexpr TextSlot kCountryPrefixSlot{247, 10};
inline constexpr std::size_t kPointsOffset = 224;

/// The fields of a 264-byte record read in place, each as DecodeQSO would give it. The
/// texts point into the record.
class QsoRecordView {
 public:
  explicit QsoRecordView(const char* bytes) : bytes_(bytes) {}

  double QSODate() const { return std::bit_cast<double>(Little(0, 8)); }
  std::string_view QSOTime() const { return Text(kTimeSlot); }
  std::string_view Call() const { return Text(kCallSlot); }
  std::string_view Band() const { return Text(kBandSlot); }
  std::string_view Mode() const { return Text(kModeSlot); }
  std::string_view RprtSent() const { return Text(kRprtSentSlot); }
  std::string_view NumberSent() const { return Text(kNumberSentSlot); }
  std::string_view RprtRcvd() const { return Text(kRprtRcvdSlot); }
  std::string_view NumberRcvd() const { return Text(kNumberRcvdSlot); }
  std::string_view Note() const { return Text(kNoteSlot); }
  std::string_view MultsText() const { return Text(kMultsTextSlot); }
  std::string_view CountryPrefix() const { return Text(kCountryPrefixSlot); }
  int32_t Points() const { return Int(kPointsOffset); }
  int32_t Points2() const { return Int(kPointsOffset + 4); }
  int32_t Points3() const { return Int(kPointsOffset + 8); }

  TQSOData Decode() const { return DecodeQSO(bytes_); }
  std::string_view Bytes() const { return {bytes_, kQsoRecordSize}; }

  /// The text of a slot; a length byte larger than the slot (a damaged record) counts as
  /// its capacity.
  std::string_view Text(TextSlot slot) const {
    std::size_t n =
        std::min<std::size_t>(static_cast<unsigned char>(bytes_[slot.offset]), slot.capacity);
    return {bytes_ + slot.offset + 1, n};
  }
  /// The little-endian 32-bit number at the offset.
  int32_t Int(std::size_t offset) const { return static_cast<int32_t>(Little(offset, 4)); }

 private:
  /// The little-endian unsigned number of `size` bytes at the offset.
  uint64_t Little(std::size_t offset, std::size_t size) const {
    uint64_t value = 0;
    for (std::size_t i = 0; i < size; ++i)
      value |= uint64_t{static_cast<unsigned char>(bytes_[offset + i])} << (8 * i);
    return value;
  }

  const char* bytes_;
};

}  // namespace mirva
