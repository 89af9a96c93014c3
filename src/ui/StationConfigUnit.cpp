#include "StationConfigUnit.h"

namespace mirva {

TStationConfigWin::TStationConfigWin(AppServices services, QWidget* parent)
    : QDialog(parent), services_(services) {
  setObjectName(QStringLiteral("TStationConfigWin"));
  setWindowTitle(QStringLiteral("Station configuration"));
}

}  // namespace mirva
