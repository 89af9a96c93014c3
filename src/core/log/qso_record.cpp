#include "log/qso_record.h"

#include <algorithm>
#include <bit>
#include <cstring>

namespace mirva {

namespace {

/// One text field of the record and where it is stored.
struct TextField {
  std::string TQSOData::*member;
  TextSlot slot;
};

constexpr TextField kTextFields[] = {
    {&TQSOData::QSOTime, kTimeSlot},
    {&TQSOData::Call, kCallSlot},
    {&TQSOData::Band, kBandSlot},
    {&TQSOData::Mode, kModeSlot},
    {&TQSOData::RprtSent, kRprtSentSlot},
    {&TQSOData::NumberSent, kNumberSentSlot},
    {&TQSOData::RprtRcvd, kRprtRcvdSlot},
    {&TQSOData::NumberRcvd, kNumberRcvdSlot},
    {&TQSOData::Note, kNoteSlot},
    {&TQSOData::MultsText, kMultsTextSlot},
    {&TQSOData::CountryPrefix, kCountryPrefixSlot},
};

struct IntField {
  int32_t TQSOData::*member;
  std::size_t offset;
};

constexpr IntField kIntFields[] = {{&TQSOData::Points, kPointsOffset},
                                   {&TQSOData::Points2, kPointsOffset + 4},
                                   {&TQSOData::Points3, kPointsOffset + 8}};

void PutLittleEndian(uint64_t value, std::size_t bytes, char* out) {
  for (std::size_t i = 0; i < bytes; ++i)
    out[i] = static_cast<char>((value >> (8 * i)) & 0xFF);
}

uint64_t GetLittleEndian(const char* in, std::size_t bytes) {
  uint64_t value = 0;
  for (std::size_t i = 0; i < bytes; ++i)
    value |= uint64_t{static_cast<unsigned char>(in[i])} << (8 * i);
  return value;
}

}  // namespace

void EncodeQSO(const TQSOData& qso, char* out) {
  std::memset(out, 0, kQsoRecordSize);
  PutLittleEndian(std::bit_cast<uint64_t>(qso.QSODate), 8, out);
  for (const TextField& f : kTextFields) {
    const std::string& text = qso.*f.member;
    std::size_t n = std::min(text.size(), f.slot.capacity);
    out[f.slot.offset] = static_cast<char>(n);
    std::memcpy(out + f.slot.offset + 1, text.data(), n);
  }
  for (const IntField& f : kIntFields)
    PutLittleEndian(static_cast<uint32_t>(qso.*f.member), 4, out + f.offset);
}

std::string EncodeQSO(const TQSOData& qso) {
  std::string bytes(kQsoRecordSize, '\0');
  EncodeQSO(qso, bytes.data());
  return bytes;
}

TQSOData DecodeQSO(const char* in) {
  TQSOData qso;
  qso.QSODate = std::bit_cast<double>(GetLittleEndian(in, 8));
  QsoRecordView record(in);
  for (const TextField& f : kTextFields)
    qso.*f.member = record.Text(f.slot);
  for (const IntField& f : kIntFields)
    qso.*f.member = record.Int(f.offset);
  return qso;
}

void CutToFieldSizes(TQSOData& qso) {
  for (const TextField& f : kTextFields) {
    std::string& text = qso.*f.member;
    if (text.size() > f.slot.capacity)
      text.resize(f.slot.capacity);
  }
}

}  // namespace mirva
