#include "spots/cluster_stream.h"

namespace mirva {

namespace {

constexpr unsigned char kIac = 255;
constexpr unsigned char kSb = 250;
constexpr unsigned char kSe = 240;
constexpr unsigned char kWill = 251;
constexpr unsigned char kDont = 254;

}  // namespace

std::vector<std::string> ClusterStream::Feed(std::string_view bytes) {
  std::vector<std::string> lines;
  for (char c : bytes) {
    auto byte = static_cast<unsigned char>(c);
    switch (telnet_) {
      case Telnet::kData:
        if (byte == kIac)
          telnet_ = Telnet::kCommand;
        else
          Add(c, lines);
        break;
      case Telnet::kCommand:
        if (byte == kIac) {
          telnet_ = Telnet::kData;
          Add(c, lines);
        } else if (byte == kSb) {
          telnet_ = Telnet::kSub;
        } else if (byte >= kWill && byte <= kDont) {
          telnet_ = Telnet::kOption;
        } else {
          telnet_ = Telnet::kData;  // a command of two bytes: NOP, GA, ...
        }
        break;
      case Telnet::kOption:
        telnet_ = Telnet::kData;
        break;
      case Telnet::kSub:
        if (byte == kIac)
          telnet_ = Telnet::kSubCommand;
        break;
      case Telnet::kSubCommand:
        telnet_ = byte == kSe ? Telnet::kData : Telnet::kSub;
        break;
    }
  }
  return lines;
}

void ClusterStream::Add(char c, std::vector<std::string>& lines) {
  if (c == '\0' || c == '\a')
    return;
  bool lf_after_cr = c == '\n' && after_cr_;
  after_cr_ = c == '\r';
  if (lf_after_cr)
    return;
  if (c == '\r' || c == '\n') {
    lines.push_back(std::move(line_));
    line_.clear();
    cut_ = false;
    return;
  }
  if (line_.size() < kMaxLine && !cut_)
    line_ += c;
  else
    cut_ = true;
}

std::string ClusterStream::TakePartial() {
  std::string partial = std::move(line_);
  line_.clear();
  cut_ = false;
  return partial;
}

}  // namespace mirva
