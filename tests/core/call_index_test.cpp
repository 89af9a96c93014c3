#include "log/call_index.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <random>

namespace mirva {
namespace {

// The pair index must find exactly what a scan of every callsign finds.
TEST(CallIndexTest, ContainingMatchesAScanOfEveryCallsign) {
  std::mt19937 random(7);
  const std::string alphabet = "ADKL019/\xB7";
  std::vector<std::string> calls;
  std::map<std::string, std::vector<uint32_t>> qsos;
  CallIndex index;
  for (uint32_t qso = 0; qso < 3000; ++qso) {
    std::string call;
    for (std::size_t n = 1 + random() % 7; n > 0; --n)
      call += alphabet[random() % alphabet.size()];
    index.Add(call, qso);
    calls.push_back(call);
    qsos[call].push_back(qso);
  }
  std::sort(calls.begin(), calls.end());
  calls.erase(std::unique(calls.begin(), calls.end()), calls.end());
  for (std::string text : {"D", "DL", "AA", "L1/", "K0A", "\xB7\xB7", "9", "DLK01", "ZZ"}) {
    std::vector<std::string> expected;
    for (const std::string& call : calls) {
      if (call.find(text) != std::string::npos)
        expected.push_back(call);
    }
    std::vector<std::string> found;
    for (const CallQsos* c : index.Containing(text))
      found.push_back(c->call);
    EXPECT_EQ(found, expected) << text;
  }
  for (const auto& [call, positions] : qsos) {
    std::span<const uint32_t> found = index.QsosOf(call);
    ASSERT_EQ(std::vector<uint32_t>(found.begin(), found.end()), positions) << call;
  }
}

}  // namespace
}  // namespace mirva
