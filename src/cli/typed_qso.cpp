#include "typed_qso.h"

#include "session/qso_entry.h"
#include "session/session.h"

namespace mirva {

void ChooseBandAndMode(QsoEntry& entry, const std::optional<std::string>& band,
                       const std::optional<std::string>& mode) {
  entry.Activate();
  if (mode) {
    entry.Mode = *mode;
    entry.ModeChanged();
  }
  if (band) {
    entry.Band = *band;
    entry.BandChanged();
  }
}

void TypeQso(QsoEntry& entry, Session& session, const TypedQso& typed) {
  ChooseBandAndMode(entry, typed.band, typed.mode);
  if (typed.rst_sent)
    entry.RprtSent = *typed.rst_sent;
  if (typed.rst_rcvd)
    entry.RprtRcvd = *typed.rst_rcvd;
  entry.NumberSent = typed.sent ? *typed.sent : session.NextSentExchange(entry.Band);
  entry.Call = typed.call;
  entry.CallChanged();
  entry.CallExited();
  if (typed.rcvd) {
    entry.NumberRcvd = *typed.rcvd;
    entry.RcvdChanged();
  }
  entry.Note += typed.note;
}

}  // namespace mirva
