// mirva-grab-band-plan: saves a PNG of the band-plan window on a working directory. The
// program keeps that window's menu item hidden, so the screenshots script draws it here.
// Usage: mirva-grab-band-plan DIR OUT.png
#include <QApplication>
#include <QPixmap>
#include <cstdio>

#include "app_services.h"
#include "dialogs/radio_dialog.h"
#include "link/entry_file.h"
#include "link/message_bus.h"
#include "link/tx_buffer.h"
#include "posix_file_system.h"
#include "qt_notifier.h"
#include "system_clock.h"
#include "workspace/workspace.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  if (argc != 3) {
    std::fprintf(stderr, "usage: %s DIR OUT.png\n", argv[0]);
    return 2;
  }
  mirva::PosixFileSystem fs;
  mirva::SystemClock clock;
  mirva::QtNotifier notifier;
  mirva::NullMessageBus bus;
  mirva::NullEntryFile entry_file;
  mirva::NullTxBuffer tx;
  mirva::Workspace workspace(fs, notifier, argv[1]);
  mirva::RadioDialog window(
      mirva::AppServices{workspace, workspace.session(), clock, notifier, bus, entry_file, tx});
  window.show();
  QApplication::processEvents();
  if (!window.grab().save(QString::fromLocal8Bit(argv[2]))) {
    std::fprintf(stderr, "%s: cannot write %s\n", argv[0], argv[2]);
    return 1;
  }
  return 0;
}
