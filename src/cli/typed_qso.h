#pragma once

#include <optional>
#include <string>

namespace mirva {

class QsoEntry;
class Session;

/// What the operator puts into the entry; a field left out keeps what the window proposes.
struct TypedQso {
  std::optional<std::string> band;
  std::optional<std::string> mode;
  std::optional<std::string> rst_sent;
  std::optional<std::string> sent;
  std::optional<std::string> rst_rcvd;
  std::optional<std::string> rcvd;
  std::string call;
  std::string note;
};

/// Activates the entry and picks the mode, then the band, that are given.
void ChooseBandAndMode(QsoEntry& entry, const std::optional<std::string>& band,
                       const std::optional<std::string>& mode);
/// Fills the entry in the order the window is used: band and mode, reports and sent
/// exchange, the callsign and leaving its field, then the received exchange and the note,
/// which goes after any marker the status check put there.
void TypeQso(QsoEntry& entry, Session& session, const TypedQso& typed);

}  // namespace mirva
