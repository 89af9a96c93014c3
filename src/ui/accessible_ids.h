#pragma once

class QApplication;

namespace mirva {

/// With MIRVA_ACCESSIBLE_IDS=1 in the environment, gives each widget its objectName as its
/// accessible description when it is first polished, so that a test outside the program can
/// find every control over the accessibility bus.
void InstallAccessibleIds(QApplication& app);

}  // namespace mirva
