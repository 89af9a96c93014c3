#include "link/tx_decoder.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>

namespace mirva {
namespace {

/// The commands by their order in TxCommand.
constexpr std::string_view kNames[] = {"[TX]", "[CL]", "[CLOSE]", "[SU]", "[SD]"};

/// What each Put gave, one word per character put: "_" for nothing, pieces joined by "+".
std::string Decode(std::string_view input) {
  TxDecoder decoder;
  std::string out;
  for (char symbol : input) {
    if (!out.empty())
      out += ' ';
    std::vector<TxPiece> pieces = decoder.Put(symbol);
    if (pieces.empty())
      out += '_';
    for (std::size_t i = 0; i < pieces.size(); ++i) {
      if (i > 0)
        out += '+';
      out += pieces[i].is_command ? kNames[static_cast<int>(pieces[i].command)] : pieces[i].text;
    }
  }
  return out;
}

TEST(TxDecoder, SequencesAreCommandsAndAllElseIsText) {
  const struct {
    std::string_view input, expected;
  } cases[] = {
      // The five sequences.
      {"~[tx]", "_ _ _ _ [TX]"},
      {"~[cl]", "_ _ _ _ [CL]"},
      {"}~[cl]", "_ _ _ _ _ [CLOSE]"},
      {"`[su]", "_ _ _ _ [SU]"},
      {"`[sd]", "_ _ _ _ [SD]"},
      {"a~[tx]b", "a _ _ _ _ [TX] b"},
      {"`[su]`[su]", "_ _ _ _ [SU] _ _ _ _ [SU]"},
      // Text goes out at once.
      {"cq", "c q"},
      {"[tx]", "[ t x ]"},
      {"{}", "{ _"},
      {"5nn-tu", "5 n n - t u"},
      // A broken sequence comes back as text, in order.
      {"~a", "_ ~a"},
      {"~[tX]", "_ _ _ ~[tX ]"},
      {"~[su]", "_ _ ~[s u ]"},  // the speed keys start with '`', not '~'
      {"`[cl]", "_ _ `[c l ]"},
      {"}x", "_ }x"},
      {"}}~[cl]", "_ } _ _ _ _ [CLOSE]"},
      {"~~[tx]", "_ ~ _ _ _ [TX]"},
      {"``[sd]", "_ ` _ _ _ [SD]"},
      {"}~[tx]", "_ _ _ } _ [TX]"},  // the brace goes, the transmit sequence goes on
      {"~[cl}~[cl]", "_ _ _ _ ~[cl _ _ _ _ [CLOSE]"},
      {"~[tx]]", "_ _ _ _ [TX] ]"},
      // An unfinished sequence is held.
      {"~", "_"},
      {"ab}~[c", "a b _ _ _ _"},
      {"`[s", "_ _ _"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(Decode(c.input), c.expected) << c.input;
}

}  // namespace
}  // namespace mirva
