#include "working_directory.h"

#include <QFileInfo>

#include "log/log_store.h"
#include "session/session.h"

namespace mirva {

QString WorkingDirectory(const Session& session) {
  return QFileInfo(QString::fromStdString(session.PathOf(kLogFileName))).absolutePath();
}

}  // namespace mirva
