#pragma once

#include <string>
#include <string_view>

namespace mirva {

class Session;

/// Creates or replaces the file at `path` (UTF-8; a relative path starts at the current
/// directory, not at the working directory) with the bytes of a report or an export. The
/// bytes go to a hidden temporary file beside the target, are flushed and then renamed over
/// it, so the target is either the old file or the whole new one (a link at `path` is
/// replaced, not followed). Throws IoError when the write fails, with the temporary file
/// removed and the target untouched.
///
/// Throws IoError, and writes nothing, when the path reaches a file of the working directory
/// that the program reads or writes: the log and the files that keep it safe, the lock, the
/// country files, the contest list, the domestic lists, the points table, the band plan and
/// every INI file. It refuses them by their name, through a link or through "..", and by name
/// alone (letters compared without case) for one that does not exist yet.
void WriteOutputFile(Session& session, const std::string& path, std::string_view bytes);

}  // namespace mirva
