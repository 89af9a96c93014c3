#include "EditQSOUnit.h"

namespace mirva {

TEditQSOWin::TEditQSOWin(AppServices services, QWidget* parent)
    : QDialog(parent), services_(services) {
  setObjectName(QStringLiteral("TEditQSOWin"));
  setWindowTitle(QStringLiteral("Edit QSO"));
}

}  // namespace mirva

namespace mirva {

void TEditQSOWin::EditQSO(std::size_t) {}

}  // namespace mirva
