#pragma once

#include <optional>

#include "link/command_target.h"

namespace mirva {

/// Command codes a companion sends in the low byte of wParam; lParam is the field mask.
inline constexpr long kSaveCommand = 128;
inline constexpr long kLoadAndSaveCommand = 129;
inline constexpr long kLoadAndSaveCommand2 = 130;
inline constexpr long kLoadCommand = 131;
inline constexpr long kLoadCommand2 = 132;
inline constexpr long kEmptyCommand = 133;

/// The answer to a command, broadcast as the macro message: wParam is the command's whole
/// wParam, lParam 1 for done and 0 for not saved.
struct CommandReply {
  long wparam;
  long lparam;

  bool operator==(const CommandReply&) const = default;
};

/// True when the callsign, mode, band, sent report or received report is blank.
bool EntryIncomplete(const CommandTarget& entry);

/// Runs a companion's command on the entry: 128 saves a complete entry; 129 and 130 load
/// the masked fields from the input file, then save as 128; 131 and 132 only load; 133
/// empties the masked fields. Every other code does nothing and gets no reply.
std::optional<CommandReply> RunCompanionCommand(CommandTarget& entry, long wparam, long lparam);

}  // namespace mirva
