#include "dialogs/group_dialog.h"

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "group/group_change.h"
#include "group_session.h"
#include "session/notifier.h"
#include "ui_text.h"
#include "widgets/dialog_buttons.h"
#include "working_directory.h"
#include "workspace/workspace.h"
#ifdef MIRVA_HAVE_NATS
#include "group_secret.h"
#include "nats_transport.h"
#endif

namespace mirva {

GroupDialog::GroupDialog(AppServices services, GroupSession& group, QWidget* parent)
    : QDialog(parent),
      services_(services),
      group_(group),
      operator_(new QLineEdit(this)),
      server_(new QLineEdit(this)),
      name_(new QLineEdit(this)),
      station_(new QLineEdit(this)),
      secret_(new QLineEdit(this)) {
  setObjectName(QStringLiteral("TGroupDlg"));
  setWindowTitle(QStringLiteral("Group"));
  auto* form = new QFormLayout;
  for (auto [edit, name, caption] : {std::tuple{operator_, "eOperator", "Operator"},
                                     {server_, "eServer", "Server"},
                                     {name_, "eGroup", "Group"},
                                     {station_, "eStation", "Station name"},
                                     {secret_, "eSecretFile", "Secret file"}}) {
    edit->setObjectName(QString::fromLatin1(name));
    auto* label = new QLabel(QString::fromLatin1(caption), this);
    label->setBuddy(edit);
    edit->setAccessibleName(label->text());
    if (edit == secret_) {
      auto* row = new QHBoxLayout;
      auto* browse = new QPushButton(QStringLiteral("Browse…"), this);
      browse->setObjectName(QStringLiteral("bBrowse"));
      connect(browse, &QPushButton::clicked, this, &GroupDialog::Browse);
      row->addWidget(edit);
      row->addWidget(browse);
      form->addRow(label, row);
    } else {
      form->addRow(label, edit);
    }
  }
  server_->setPlaceholderText(QStringLiteral("nats://host:4222 (empty: no group)"));
  server_->setMinimumWidth(server_->fontMetrics().horizontalAdvance(server_->placeholderText()));
  auto* note = new QLabel(
      QStringLiteral("The secret file holds the group's token, or a user and password on two "
                     "lines; it is never stored here."),
      this);
  note->setWordWrap(true);
  auto [buttons, ok, cancel] = AddDialogButtons(*this, QStringLiteral("OK"));
  connect(buttons, &QDialogButtonBox::accepted, this, &GroupDialog::Button1Click);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addWidget(note);
  layout->addWidget(buttons);
}

void GroupDialog::showEvent(QShowEvent* event) {
  const GroupSettings& kept = services_.workspace.settings().group;
  operator_->setText(ToQt(kept.op));
  server_->setText(ToQt(kept.server));
  name_->setText(ToQt(kept.group));
  station_->setText(ToQt(kept.station));
  secret_->setText(ToQt(kept.secret_file));
  QDialog::showEvent(event);
  operator_->setFocus();
}

void GroupDialog::Browse() {
  // Opened, not run: the keys and the companion's commands go on while it is up.
  if (!browse_) {
    browse_ = new QFileDialog(this, QStringLiteral("The group's secret file"),
                              WorkingDirectory(services_.session));
    browse_->setObjectName(QStringLiteral("OpenSecretDialog"));
    browse_->setFileMode(QFileDialog::ExistingFile);
    connect(browse_, &QFileDialog::fileSelected, secret_, &QLineEdit::setText);
    connect(browse_, &QDialog::finished, secret_, [this] { secret_->setFocus(); });
  }
  browse_->open();
}

QString GroupDialog::Problem(QLineEdit*& field) const {
  if (server_->text().trimmed().isEmpty())
    return {};
  field = name_;
#ifdef MIRVA_HAVE_NATS
  if (!IsGroupName(FromQt(name_->text().trimmed())))
    return QStringLiteral("The group is 1 to 32 letters, digits, \"-\" or \"_\".");
#endif
  field = station_;
  if (!ValidStationName(FromQt(station_->text().trimmed())))
    return QStringLiteral(
        "The station name is 1 to 32 Latin letters, digits, \"-\" or \"_\" beginning with a "
        "letter or a digit.");
  field = secret_;
#ifdef MIRVA_HAVE_NATS
  try {
    ReadGroupSecret(secret_->text().trimmed().toStdString());
  } catch (const std::exception& e) {
    return QString::fromStdString(e.what());
  }
#endif
  return {};
}

void GroupDialog::Button1Click() {
  QLineEdit* field = nullptr;
  if (QString problem = Problem(field); !problem.isEmpty()) {
    services_.notifier.ShowRefusal(FromQt(problem));
    field->setFocus();
    return;
  }
  GroupSettings settings = services_.workspace.settings().group;
  settings.op = FromQt(operator_->text().trimmed());
  settings.server = FromQt(server_->text().trimmed());
  settings.group = FromQt(name_->text().trimmed());
  settings.station = FromQt(station_->text().trimmed());
  settings.secret_file = FromQt(secret_->text().trimmed());
  services_.workspace.SetGroupSettings(settings);
  group_.Start(settings);
  accept();
}

}  // namespace mirva
