#pragma once

#include "cwdaemon_tx.h"

namespace mirva {

/// The cwdaemon the CW text goes to, from the section [cwdaemon] of the stored settings;
/// a missing key, or a speed that is no number, is the default one.
CwdaemonSettings ReadCwdaemonSettings();

/// Keeps the speed the operator left cwdaemon at for the next start.
void StoreCwdaemonSpeed(int speed);

}  // namespace mirva
