#include "session/check_partial.h"

#include "reference/call_search.h"
#include "session/session.h"
#include "text/path_text.h"
#include "text/utf8_path.h"

namespace mirva {

namespace {

std::vector<CheckedCall> Marked(const Session& session, const MasterCallList& list,
                                const CallMatches& matches, std::string_view band,
                                std::string_view mode, std::string_view time) {
  std::vector<CheckedCall> calls;
  calls.reserve(matches.ids.size());
  for (uint32_t id : matches.ids) {
    std::string_view call = list.Call(id);
    bool worked = !session.log().QsosOfCall(call).empty();
    calls.push_back({std::string(call), worked, worked && session.IsDupe(call, band, mode, time)});
  }
  return calls;
}

std::string SkippedLines(const MasterCallList& list) {
  if (list.skipped_lines == 0)
    return "";
  return "; " + std::to_string(list.skipped_lines) + " line" +
         (list.skipped_lines == 1 ? "" : "s") + " skipped, the first is line " +
         std::to_string(list.first_skipped_line);
}

}  // namespace

MasterCallsFile LoadMasterCalls(const Session& session) {
  std::string path = session.PathOf(kMasterCallsFileName);
  std::string dir = PathText(ParentPath(path));
  MasterCallsFile file;
  std::optional<std::string> text = session.fs().ReadFile(path);
  if (!text) {
    file.status = session.fs().Exists(path)
                      ? PathText(path) + " cannot be read"
                      : "No " + std::string(kMasterCallsFileName) + " in " + dir;
    return file;
  }
  MasterCallList list = ParseMasterCalls(*text);
  if (list.size() == 0) {
    file.status = PathText(path) + " holds no callsign" + SkippedLines(list);
    return file;
  }
  file.status =
      std::to_string(list.size()) + " calls in " + kMasterCallsFileName + SkippedLines(list);
  file.list = std::move(list);
  return file;
}

CheckPartialView CheckPartial(const Session& session, const MasterCallList& list,
                              std::string_view text, std::string_view band, std::string_view mode,
                              std::string_view time) {
  CallMatches partial = FindPartialCalls(list, text, kMaxPartialShown);
  CallMatches near = FindNearCalls(list, text, kMaxNearShown);
  return {Marked(session, list, partial, band, mode, time), partial.total,
          Marked(session, list, near, band, mode, time), near.total};
}

}  // namespace mirva
