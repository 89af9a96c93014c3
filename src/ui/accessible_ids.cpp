#include "accessible_ids.h"

#include <QApplication>
#include <QEvent>
#include <QWidget>

namespace mirva {

namespace {

class AccessibleIds : public QObject {
 public:
  using QObject::QObject;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Polish && watched->isWidgetType()) {
      auto* widget = static_cast<QWidget*>(watched);
      if (widget->accessibleDescription().isEmpty() && !widget->objectName().isEmpty())
        widget->setAccessibleDescription(widget->objectName());
    }
    return false;
  }
};

}  // namespace

void InstallAccessibleIds(QApplication& app) {
  if (qEnvironmentVariable("MIRVA_ACCESSIBLE_IDS") == QLatin1String("1"))
    app.installEventFilter(new AccessibleIds(&app));
}

}  // namespace mirva
