// Feeds arbitrary bytes to the datagram decoder and, as the text of a logged ADIF record, to
// the ADIF reader.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz_check.h"
#include "wsjtx/adif_record.h"
#include "wsjtx/wsjtx_message.h"
#include "wsjtx/wsjtx_qso.h"

namespace {

using mirva_fuzz::Check;

void CheckAdif(std::string_view text) {
  mirva::AdifRecord record = mirva::ReadAdifRecord(text);
  Check(!record.error.empty() || !record.fields.empty());
  std::size_t bytes = 0;
  for (const auto& [name, value] : record.fields)
    bytes += name.size() + value.size();
  Check(bytes <= text.size());
  if (record.error.empty()) {
    std::string error;
    auto announced = mirva::AnnouncementOf(record, error);
    Check(announced.has_value() == error.empty());
    if (announced)
      Check(announced->time.size() == 5 && announced->hz >= 0);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view bytes(reinterpret_cast<const char*>(data), size);
  mirva::WsjtxDecoded decoded = mirva::DecodeWsjtx(bytes);
  Check(decoded.message.has_value() == decoded.error.empty());
  if (decoded.message) {
    const mirva::WsjtxMessage& message = *decoded.message;
    Check(message.schema == 2 || message.schema == 3);
    if (message.kind == mirva::WsjtxMessage::Kind::kLoggedAdif)
      CheckAdif(message.adif);
    if (message.kind == mirva::WsjtxMessage::Kind::kQsoLogged) {
      mirva::WsjtxAnnouncement announced = mirva::AnnouncementOf(message.qso);
      Check(!announced.has_time || announced.time.size() == 5);
    }
  }
  CheckAdif(bytes);
  return 0;
}
