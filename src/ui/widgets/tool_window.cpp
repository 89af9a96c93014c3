#include "widgets/tool_window.h"

#include <QCloseEvent>

#include "stored_state.h"

namespace mirva {

ToolWindow::ToolWindow(const char* section, const QString& caption, QWidget* parent)
    : QWidget(parent, Qt::Tool), section_(section) {
  setWindowTitle(caption);
  setAccessibleName(caption);
}

void ToolWindow::showEvent(QShowEvent* event) {
  if (!placed_) {
    if (!RestorePlacement(*this, section_)) {
      // A window that chose its own first size keeps it; the others take their layout's.
      if (!testAttribute(Qt::WA_Resized))
        resize(sizeHint());
      move(default_position_);
    }
    placed_ = true;
  }
  QWidget::showEvent(event);
}

void ToolWindow::SavePlacementNow() const {
  if (placed_)
    SavePlacement(*this, section_);
}

void ToolWindow::hideEvent(QHideEvent* event) {
  SavePlacementNow();
  QWidget::hideEvent(event);
}

void ToolWindow::closeEvent(QCloseEvent* event) {
  QWidget::closeEvent(event);
  Q_EMIT closedByBox();
}

}  // namespace mirva
