#include "dialogs/wsjtx_dialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "session/notifier.h"
#include "ui_text.h"
#include "widgets/dialog_buttons.h"
#include "wsjtx_listener.h"

namespace mirva {

WsjtxDialog::WsjtxDialog(AppServices services, QWidget* parent)
    : QDialog(parent),
      services_(services),
      enabled_(new QCheckBox(QStringLiteral("&Log the QSOs they announce"), this)),
      listen_(new QLineEdit(this)) {
  setObjectName(QStringLiteral("TWsjtxDlg"));
  setWindowTitle(QStringLiteral("WSJT-X / JTDX"));
  enabled_->setObjectName(QStringLiteral("cbEnabled"));
  listen_->setObjectName(QStringLiteral("eListen"));
  listen_->setPlaceholderText(QLatin1String(kWsjtxDefaultAddress));
  listen_->setToolTip(
      QStringLiteral("The program's UDP server setting: 127.0.0.1:2237, or a group address "
                     "such as 239.255.0.1:2237 that several programs listen to"));
  auto* label = new QLabel(QStringLiteral("Listen &on"), this);
  label->setBuddy(listen_);
  listen_->setAccessibleName(QStringLiteral("Listen on"));
  auto* form = new QFormLayout;
  form->addRow(enabled_);
  form->addRow(label, listen_);
  auto [buttons, ok, cancel] = AddDialogButtons(*this, QStringLiteral("OK"));
  connect(buttons, &QDialogButtonBox::accepted, this, &WsjtxDialog::Button1Click);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addWidget(buttons);
}

void WsjtxDialog::showEvent(QShowEvent* event) {
  WsjtxSettings stored = ReadWsjtxSettings();
  enabled_->setChecked(stored.enabled);
  listen_->setText(ToQt(stored.listen));
  QDialog::showEvent(event);
  enabled_->setFocus();
}

WsjtxSettings WsjtxDialog::Chosen() const {
  WsjtxSettings settings;
  settings.enabled = enabled_->isChecked();
  settings.listen = FromQt(listen_->text().trimmed());
  if (settings.listen.empty())
    settings.listen = kWsjtxDefaultAddress;
  return settings;
}

void WsjtxDialog::Button1Click() {
  WsjtxSettings chosen = Chosen();
  if (!ParseListenAddress(chosen.listen)) {
    services_.notifier.ShowRefusal(
        FromQt(QStringLiteral("\"%1\" is not an IPv4 ADDRESS:PORT with a port from 1 to 65535.")
                   .arg(ToQt(chosen.listen))));
    listen_->selectAll();
    listen_->setFocus();
    return;
  }
  StoreWsjtxSettings(chosen);
  accept();
}

}  // namespace mirva
