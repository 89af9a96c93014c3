#pragma once

namespace mirva {

class Session;

/// The copy of the log as it was before the last rescoring.
inline constexpr char kRescoreCopyName[] = "mrvtest.rec";
inline constexpr char kRescoreCopyFailed[] =
    "Can't create temporary file for update score procedure";

/// Scores every QSO of the log file again under the current contest: country prefix, duplicate
/// marker, points and multiplier mark, then the totals. The old file stays as mrvtest.rec and
/// the new log replaces the file in one step, so an error leaves the file as it was; the log is
/// then read back from it and the operator is told. True when the log was rescored.
bool RescoreLog(Session& session);

}  // namespace mirva
