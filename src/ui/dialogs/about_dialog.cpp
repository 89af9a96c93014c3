#include "dialogs/about_dialog.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "program_version.h"
#include "session/stored_settings.h"
#include "ui_text.h"
#include "working_directory.h"

namespace mirva {

AboutDialog::AboutDialog(AppServices services, QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("TAboutWin"));
  setWindowTitle(QStringLiteral("About"));
  setModal(true);
  // The log's folder, absolute: the working directory as the operator finds it on disk.
  const QString dir = QDir::toNativeSeparators(WorkingDirectory(services.session));
  auto* name = new QLabel(QString::fromLatin1(kSettingsName), this);
  name->setObjectName(QStringLiteral("lblName"));
  QFont bold = name->font();
  bold.setBold(true);
  bold.setPointSizeF(bold.pointSizeF() * 1.25);
  name->setFont(bold);
  auto* version = new QLabel(QStringLiteral("Version %1").arg(ToQt(ProgramVersion())), this);
  version->setObjectName(QStringLiteral("lblVersion"));
  auto* where = new QLabel(QStringLiteral("Working directory: %1").arg(dir), this);
  where->setObjectName(QStringLiteral("lblDirectory"));
  where->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
  where->setWordWrap(true);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
  QPushButton* ok = buttons->button(QDialogButtonBox::Ok);
  ok->setObjectName(QStringLiteral("OKButton"));
  ok->setDefault(true);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  auto* layout = new QVBoxLayout(this);
  for (QLabel* label : {name, version, where}) {
    label->setAccessibleName(label->text());
    layout->addWidget(label);
  }
  layout->addSpacing(8);
  layout->addWidget(buttons);
  setMinimumWidth(360);
}

}  // namespace mirva
