#include "session/qso_edit.h"

#include <stdexcept>
#include <string>

#include "scoring/totals.h"
#include "session/session.h"

namespace mirva {

void SaveEditedQso(Session& session, std::size_t index, const TQSOData& edited) {
  QsoLog log = session.log.QSOLog();
  if (index >= log.size())
    throw std::out_of_range("There is no QSO number " + std::to_string(index + 1));
  TQSOData record = log[index];
  record.QSODate = edited.QSODate;
  record.QSOTime = edited.QSOTime;
  record.Call = edited.Call;
  record.Band = edited.Band;
  record.Mode = edited.Mode;
  record.RprtSent = edited.RprtSent;
  record.NumberSent = edited.NumberSent;
  record.RprtRcvd = edited.RprtRcvd;
  record.NumberRcvd = edited.NumberRcvd;
  record.Note = edited.Note;
  CutToFieldSizes(record);
  record.NumberRcvd = session.NormalizeReceivedExchange(record);
  session.log.RewriteQSO(index, std::move(record));
  RefreshQsoTable(session);
}

}  // namespace mirva
