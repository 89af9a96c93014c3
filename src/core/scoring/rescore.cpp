#include "scoring/rescore.h"

#include <exception>
#include <optional>
#include <string>

#include "error.h"
#include "scoring/multipliers.h"
#include "scoring/totals.h"
#include "session/session.h"
#include "text/strings.h"

namespace mirva {

namespace {

constexpr std::string_view kDupeTag = "##Dupe##";

/// The note with one duplicate marker in front, however often it was rescored before.
std::string MarkDupeNote(std::string_view note) {
  std::string rest(note);
  for (std::size_t at = rest.find(kDupeTag); at != std::string::npos; at = rest.find(kDupeTag))
    rest.erase(at, kDupeTag.size());
  return CutTo(Trim(std::string(kDupeTag) + " " + std::string(Trim(rest))), 127);
}

void Rescore(Session& session, TQSOData record) {
  record.MultsText.clear();
  record.Points = record.Points2 = record.Points3 = 0;
  TCountry country;
  session.FindCountry(record.Call, country);
  record.CountryPrefix = country.Prefix;
  if (session.IsDupe(record.Call, record.Band, record.Mode, record.QSOTime)) {
    record.Note = MarkDupeNote(record.Note);
  } else {
    session.ComputeQsoPoints(record).StoreIn(record);
  }
  uint8_t flags = MarkMultipliers(session, record);
  session.log.AddInMemory(std::move(record), flags);
}

}  // namespace

bool RescoreLog(Session& session) {
  std::string log_path = session.PathOf(kLogFileName);
  std::string copy_path = session.PathOf(kRescoreCopyName);
  FileSystem& fs = session.fs();
  std::optional<std::string> bytes;
  try {
    fs.LinkOrCopy(log_path, copy_path);
    bytes = fs.ReadFile(copy_path);
  } catch (const IoError&) {
  }
  if (!bytes) {
    session.notifier().ShowError(kRescoreCopyFailed);
    return false;
  }
  try {
    session.log.ForgetInMemory();
    RebuildTotals(session);
    for (std::size_t at = 0; at + kQsoRecordSize <= bytes->size(); at += kQsoRecordSize)
      Rescore(session, DecodeQSO(bytes->data() + at));
    session.log.SaveAll();
    return true;
  } catch (const std::exception& e) {
    std::string message = e.what();
    try {
      session.log.LoadLog();
    } catch (const std::exception& reload) {
      message += "\r\n" + std::string(reload.what());
    }
    RebuildTotals(session);
    session.notifier().ShowError(message);
    return false;
  }
}

}  // namespace mirva
