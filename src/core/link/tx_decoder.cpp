#include "link/tx_decoder.h"

#include <string_view>

#include "link/cw_sequences.h"

namespace mirva {

namespace {

struct Sequence {
  std::string_view characters;
  TxCommand command;
};

constexpr Sequence kSequences[] = {
    {kTransmitSequence, TxCommand::kTransmit},   {kClearSequence, TxCommand::kClear},
    {kCloseSequence, TxCommand::kClose},         {kSpeedUpSequence, TxCommand::kSpeedUp},
    {kSpeedDownSequence, TxCommand::kSpeedDown},
};

bool StartsSequence(std::string_view held) {
  for (const Sequence& s : kSequences) {
    if (s.characters.starts_with(held))
      return true;
  }
  return false;
}

void AddText(std::vector<TxPiece>& pieces, char symbol) {
  if (pieces.empty() || pieces.back().is_command)
    pieces.push_back({});
  pieces.back().text += symbol;
}

}  // namespace

std::vector<TxPiece> TxDecoder::Put(char symbol) {
  std::vector<TxPiece> pieces;
  held_ += symbol;
  // A broken sequence gives back its first character as text; the rest may start another.
  while (!held_.empty() && !StartsSequence(held_)) {
    AddText(pieces, held_.front());
    held_.erase(0, 1);
  }
  for (const Sequence& s : kSequences) {
    if (held_ == s.characters) {
      pieces.push_back({.text = {}, .command = s.command, .is_command = true});
      held_.clear();
    }
  }
  return pieces;
}

}  // namespace mirva
