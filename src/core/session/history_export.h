#pragma once

#include <cstddef>
#include <string>

namespace mirva {

class Session;

/// A call history made from the log.
struct HistoryExport {
  /// The column the contest's received exchange goes in; empty when the contest takes none
  /// from a history (its exchange is a serial number), and then there is no text.
  std::string column;
  /// UTF-8: the header "!!Order!!,Call,COLUMN" and a line per callsign in the order first
  /// worked, with its last received exchange that the contest takes as one that stays the same.
  std::string text;
  std::size_t calls = 0;
};

HistoryExport ExportCallHistory(const Session& session);

}  // namespace mirva
