#pragma once

#include <string>
#include <string_view>

namespace mirva {

class Session;

/// Creates or overwrites the file at `path` (UTF-8; a relative path starts at the current
/// directory, not at the working directory) with the bytes of a report or an export. Throws
/// IoError, and writes nothing, when the path reaches the log of the working directory or a
/// file that keeps it safe (mrvtest.rec, mrvtest.new, mrvtest.old, mrvtest.dat.torn*): by its
/// name, through a link or through "..", and by name alone for one that does not exist yet.
void WriteOutputFile(Session& session, const std::string& path, std::string_view bytes);

}  // namespace mirva
