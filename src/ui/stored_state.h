#pragma once

#include <QSettings>
#include <memory>

class QWidget;

namespace mirva {

/// The program's stored settings: the registry key "Software\Mirva contest module" on
/// Windows, "<config dir>/Mirva contest module.conf" elsewhere, where mirva-cli reads them too.
std::unique_ptr<QSettings> OpenStoredSettings();

/// Puts a window back where it was when its section was saved; false, leaving it as it is,
/// when nothing is stored.
bool RestorePlacement(QWidget& window, const char* section);
/// Stores the window's position, size and state in its section.
void SavePlacement(const QWidget& window, const char* section);

}  // namespace mirva
