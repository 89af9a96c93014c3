#include "dialogs/cluster_dialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTextBlock>
#include <QVBoxLayout>

#include "session/notifier.h"
#include "spots/cluster_store.h"
#include "ui_text.h"
#include "widgets/dialog_buttons.h"

namespace mirva {

namespace {

/// A day: a longer age would keep a contest's whole first day on the band map.
constexpr int kMaxSpotAgeMinutes = 1440;
constexpr int kFeedLines = 4;

}  // namespace

ClusterDialog::ClusterDialog(AppServices services, QWidget* parent)
    : QDialog(parent),
      services_(services),
      feeds_(new QPlainTextEdit(this)),
      login_(new QLineEdit(this)),
      age_(new QSpinBox(this)) {
  setObjectName(QStringLiteral("TClusterDlg"));
  setWindowTitle(QStringLiteral("Cluster"));
  feeds_->setObjectName(QStringLiteral("mFeeds"));
  feeds_->setTabChangesFocus(true);
  feeds_->setPlaceholderText(QStringLiteral("HOST:PORT, one a line"));
  feeds_->setMinimumHeight(feeds_->fontMetrics().lineSpacing() * kFeedLines +
                           2 * feeds_->frameWidth());
  login_->setObjectName(QStringLiteral("eLogin"));
  login_->setPlaceholderText(QStringLiteral("empty: the station's call"));
  age_->setObjectName(QStringLiteral("seSpotAge"));
  age_->setRange(1, kMaxSpotAgeMinutes);
  age_->setSuffix(QStringLiteral(" min"));
  auto* form = new QFormLayout;
  for (auto [caption, control] : {std::pair<const char*, QWidget*>{"&Nodes", feeds_},
                                  {"&Login call", login_},
                                  {"Spot &age", age_}}) {
    auto* label = new QLabel(QString::fromLatin1(caption), this);
    label->setBuddy(control);
    control->setAccessibleName(label->text().remove(QLatin1Char('&')));
    form->addRow(label, control);
  }
  auto [buttons, ok, cancel] = AddDialogButtons(*this, QStringLiteral("OK"));
  connect(buttons, &QDialogButtonBox::accepted, this, &ClusterDialog::Button1Click);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addWidget(buttons);
}

void ClusterDialog::showEvent(QShowEvent* event) {
  ClusterSettings stored = ReadClusterSettings();
  QStringList feeds;
  for (const std::string& feed : stored.feeds)
    feeds << ToQt(feed);
  feeds_->setPlainText(feeds.join(QLatin1Char('\n')));
  login_->setText(ToQt(stored.login));
  age_->setValue(stored.spot_age_minutes);
  QDialog::showEvent(event);
  feeds_->setFocus();
}

ClusterSettings ClusterDialog::Chosen() const {
  ClusterSettings settings;
  for (const QString& line : feeds_->toPlainText().split(QLatin1Char('\n')))
    if (QString feed = line.trimmed(); !feed.isEmpty())
      settings.feeds.push_back(FromQt(feed));
  settings.login = FromQt(login_->text().trimmed().toUpper());
  settings.spot_age_minutes = age_->value();
  return settings;
}

void ClusterDialog::Button1Click() {
  const QStringList lines = feeds_->toPlainText().split(QLatin1Char('\n'));
  for (int i = 0; i < lines.size(); ++i) {
    QString feed = lines[i].trimmed();
    if (feed.isEmpty() || IsClusterAddress(FromQt(feed)))
      continue;
    services_.notifier.ShowRefusal(
        FromQt(QStringLiteral("Line %1, \"%2\", is not HOST:PORT with a port from 1 to 65535.")
                   .arg(i + 1)
                   .arg(feed)));
    // The keyboard goes back to the line to mend, its text chosen.
    QTextCursor cursor(feeds_->document()->findBlockByNumber(i));
    cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
    feeds_->setTextCursor(cursor);
    feeds_->setFocus();
    return;
  }
  StoreClusterSettings(Chosen());
  accept();
}

}  // namespace mirva
