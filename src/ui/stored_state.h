#pragma once

#include <QSettings>
#include <memory>

class QWidget;

namespace mirva {

struct LastValues;
struct WorkspaceSettings;

/// The program's stored settings: the registry key "Software\Mirva contest module" on
/// Windows, "<config dir>/Mirva contest module.conf" elsewhere, where mirva-cli reads them too.
std::unique_ptr<QSettings> OpenStoredSettings();

/// What the user worked with last, for a working directory that keeps nothing yet.
LastValues ReadLastValues();
/// Keeps a working directory's settings per user as the last values, with the contest's
/// position in `catalogue` for an older version.
void StoreLastValues(const WorkspaceSettings& settings, int catalogue_index);

/// Puts a window back where it was when its section was saved; false, leaving it as it is,
/// when nothing is stored.
bool RestorePlacement(QWidget& window, const char* section);
/// Stores the window's position, size and state in its section.
void SavePlacement(const QWidget& window, const char* section);

}  // namespace mirva
