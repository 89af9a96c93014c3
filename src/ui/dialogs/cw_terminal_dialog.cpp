#include "dialogs/cw_terminal_dialog.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include "link/cw_sequences.h"
#include "ui_text.h"
#include "widgets/speed_keys.h"

namespace mirva {

namespace {

QPushButton* AddButton(const char* name, const char* caption, QWidget* parent) {
  auto* button = new QPushButton(QString::fromLatin1(caption), parent);
  button->setObjectName(QString::fromLatin1(name));
  button->setAccessibleName(QString::fromLatin1(caption).remove(QLatin1Char('&')));
  // Enter in the text sends nothing and must not clear or close either.
  button->setAutoDefault(false);
  button->installEventFilter(parent);
  return button;
}

}  // namespace

CwTerminalDialog::CwTerminalDialog(AppServices services, QWidget* parent)
    : QDialog(parent, Qt::Tool), services_(services) {
  setObjectName(QStringLiteral("TCWTerminalForm"));
  setWindowTitle(QStringLiteral("CW terminal"));
  eSendText_ = new QLineEdit(this);
  eSendText_->setObjectName(QStringLiteral("eSendText"));
  eSendText_->setAccessibleName(QStringLiteral("Text to send"));
  eSendText_->installEventFilter(this);
  Button2_ = AddButton("Button2", "&Clear", this);
  Button1_ = AddButton("Button1", "Cancel", this);
  Timer1_ = new QTimer(this);
  Timer1_->setObjectName(QStringLiteral("Timer1"));
  Timer1_->setInterval(CwTerminalPacer::kIdleInterval);

  auto* column = new QVBoxLayout(this);
  column->setContentsMargins(6, 6, 6, 6);
  column->addWidget(eSendText_);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(Button2_);
  buttons->addWidget(Button1_);
  column->addLayout(buttons);
  setTabOrder(eSendText_, Button2_);
  setTabOrder(Button2_, Button1_);
  resize(360, sizeHint().height());

  connect(eSendText_, &QLineEdit::textEdited, this,
          [this](const QString& text) { pacer_.SetText(FromQt(text)); });
  connect(Timer1_, &QTimer::timeout, this, &CwTerminalDialog::Timer1Timer);
  connect(Button2_, &QPushButton::clicked, this, &CwTerminalDialog::Button2Click);
  connect(Button1_, &QPushButton::clicked, this, &CwTerminalDialog::Button1Click);
  connect(this, &QDialog::finished, this, &CwTerminalDialog::FormClose);
}

void CwTerminalDialog::ShowCWTerminal() {
  if (isVisible())
    return;
  PutSequence(services_.tx, kTransmitSequence);
  Timer1_->start(CwTerminalPacer::kIdleInterval);
  QRect main = parentWidget()->frameGeometry();
  move(main.left(), main.top() + main.height());
  open();
  eSendText_->setFocus();
}

void CwTerminalDialog::Timer1Timer() {
  if (std::optional<char> symbol = pacer_.Tick()) {
    services_.tx.Put(*symbol);
    eSendText_->setText(ToQt(pacer_.text()));
    eSendText_->end(false);
  }
  Timer1_->setInterval(pacer_.interval_ms());
}

void CwTerminalDialog::Button2Click() {
  eSendText_->clear();
  pacer_.SetText({});
  PutSequence(services_.tx, kClearSequence);
}

void CwTerminalDialog::Button1Click() {
  eSendText_->clear();
  pacer_.SetText({});
  reject();
}

void CwTerminalDialog::FormClose() {
  Timer1_->stop();
  eSendText_->clear();
  pacer_.SetText({});
  PutSequence(services_.tx, kCloseSequence);
}

bool CwTerminalDialog::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::KeyPress)
    return QDialog::eventFilter(watched, event);
  const auto& key = static_cast<const QKeyEvent&>(*event);
  std::string_view speed = SpeedKeySequence(key);
  if (!speed.empty()) {
    PutSequence(services_.tx, speed);
    return true;
  }
  if (watched == eSendText_ && !key.text().isEmpty()) {
    pacer_.Typed();
    Timer1_->setInterval(pacer_.interval_ms());
  }
  return false;
}

}  // namespace mirva
