#include "widgets/tool_window.h"

#include <QCloseEvent>

#include "stored_state.h"
#include "window_layout.h"

namespace mirva {

ToolWindow::ToolWindow(const char* section, const QString& caption, QWidget* parent)
    : QWidget(parent, Qt::Tool), section_(section) {
  setWindowTitle(caption);
  setAccessibleName(caption);
}

void ToolWindow::showEvent(QShowEvent* event) {
  if (!placed_) {
    if (!RestorePlacement(*this, section_)) {
      // The window inside the frame it is given, or at its own first size without one.
      QRect frame = default_frame_ ? default_frame_() : QRect();
      if (frame.isValid())
        setGeometry(frame.marginsRemoved(kAssumedFrame));
      else
        resize(FirstSize());
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
