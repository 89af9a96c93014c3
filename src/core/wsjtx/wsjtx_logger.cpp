#include "wsjtx/wsjtx_logger.h"

#include <optional>
#include <utility>

#include "session/session.h"
#include "wsjtx/adif_record.h"
#include "wsjtx/wsjtx_message.h"
#include "wsjtx/wsjtx_qso.h"

namespace mirva {

WsjtxLogger::WsjtxLogger(Session& session, BandPlan plan)
    : session_(session), plan_(std::move(plan)) {}

WsjtxOutcome WsjtxLogger::Take(std::string_view datagram, std::int64_t now_s) {
  WsjtxOutcome outcome;
  WsjtxDecoded decoded = DecodeWsjtx(datagram);
  std::optional<WsjtxAnnouncement> announced;
  std::string error = decoded.error;
  if (decoded.message) {
    const WsjtxMessage& message = *decoded.message;
    if (message.kind == WsjtxMessage::Kind::kQsoLogged) {
      announced = AnnouncementOf(message.qso);
    } else if (message.kind == WsjtxMessage::Kind::kLoggedAdif) {
      AdifRecord record = ReadAdifRecord(message.adif);
      if (record.error.empty())
        announced = AnnouncementOf(record, error);
      else
        error = record.error;
    } else if (message.kind == WsjtxMessage::Kind::kHeartbeat) {
      outcome.kind = WsjtxOutcome::Kind::kHeartbeat;
      outcome.text = message.id + (message.version.empty() ? "" : " " + message.version);
      return outcome;
    } else {
      return outcome;
    }
  }
  if (!announced) {
    ++malformed_;
    outcome.kind = WsjtxOutcome::Kind::kMalformed;
    outcome.text = error;
    return outcome;
  }
  if (!session_.HasContest()) {
    ++refused_;
    outcome.kind = WsjtxOutcome::Kind::kRefused;
    outcome.text = announced->call + ": no contest is chosen";
    return outcome;
  }
  WsjtxQso qso = ContestQsoOf(session_, plan_, *announced);
  if (!qso.record) {
    ++refused_;
    outcome.kind = WsjtxOutcome::Kind::kRefused;
    outcome.text = qso.refusal;
    return outcome;
  }
  if (recent_.Seen(*qso.record, now_s)) {
    outcome.kind = WsjtxOutcome::Kind::kRepeated;
    return outcome;
  }
  ScoredQso scored = session_.SaveQso(*qso.record);
  recent_.Remember(*qso.record, now_s);
  ++logged_;
  outcome.kind = WsjtxOutcome::Kind::kLogged;
  outcome.index = session_.log().QSOLog().size() - 1;
  outcome.text = std::string(scored.problem);
  return outcome;
}

}  // namespace mirva
