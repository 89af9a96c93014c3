#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "log/qso_record.h"
#include "reference/band_plan.h"
#include "wsjtx/adif_record.h"
#include "wsjtx/wsjtx_message.h"

namespace mirva {

class Session;

/// A QSO as a digital-mode program announced it, whichever message it came in.
struct WsjtxAnnouncement {
  std::string call;
  bool has_time = false;
  double date = 0;   ///< days since 1899-12-30, UTC
  std::string time;  ///< "hh:nn", UTC
  std::int64_t hz = 0;
  std::string mode;  ///< the program's own name: FT8, FT4, MSK144, ...
  std::string rst_sent;
  std::string rst_rcvd;
  std::string sent;
  /// What may be the received exchange, most likely first; the contest picks one.
  std::vector<std::string> rcvd;
  /// The exchange itself as the program wrote it down, without the locator and zone fields:
  /// what is logged when no candidate counts in the contest.
  std::string rcvd_given;
  std::string note;
};

WsjtxAnnouncement AnnouncementOf(const WsjtxQsoLogged& qso);
/// Needs CALL and the date and time on; the frequency from FREQ (MHz), else BAND.
std::optional<WsjtxAnnouncement> AnnouncementOf(const AdifRecord& record, std::string& error);

/// The contest's mode for the program's mode: CW and phone as such, every other mode the
/// contest's digital mode (DIGI, else RTTY, else PSK); empty when it has no fitting one.
std::string ContestModeOf(const std::vector<std::string>& modes, std::string_view mode);

/// The record a save of the entry makes of the announcement, or why the contest cannot take it.
struct WsjtxQso {
  std::optional<TQSOData> record;
  std::string refusal;
};

/// The record under the session's contest: band by the plan, the contest's mode, the reports
/// (the mode's defaults when missing), the sent exchange as announced or the session's next,
/// and of the received exchange's candidates the first the contest can count, else the first
/// given.
WsjtxQso ContestQsoOf(const Session& session, const BandPlan& plan, const WsjtxAnnouncement& qso);

}  // namespace mirva
