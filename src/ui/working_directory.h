#pragma once

#include <QString>

namespace mirva {

class Session;

/// The working directory as the operator finds it on disk: the log's folder, absolute. The
/// save dialogs open there.
QString WorkingDirectory(const Session& session);

}  // namespace mirva
