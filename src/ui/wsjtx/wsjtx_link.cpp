#include "wsjtx/wsjtx_link.h"

#include <QPointer>
#include <chrono>
#include <exception>
#include <optional>
#include <utility>

#include "guarded.h"
#include "reference/usual_bands.h"
#include "session/session.h"
#include "ui_text.h"
#include "wsjtx/wsjtx_logger.h"
#include "wsjtx/wsjtx_store.h"
#include "wsjtx_listener.h"

namespace mirva {

namespace {

std::int64_t SteadySeconds() {
  return std::chrono::duration_cast<std::chrono::seconds>(
             std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

}  // namespace

WsjtxLink::WsjtxLink(AppServices services, QObject* parent)
    : QObject(parent),
      services_(services),
      logger_(std::make_unique<WsjtxLogger>(services.session, WithUsualBands(BandPlan(6, 1)))) {}

WsjtxLink::~WsjtxLink() = default;

void WsjtxLink::SetBandPlan(BandPlan plan) {
  // A new logger would forget the QSOs logged lately, and log them again when re-announced.
  logger_->SetPlan(std::move(plan));
}

void WsjtxLink::Restart() {
  listener_.reset();
  listening_.clear();
  WsjtxSettings settings = ReadWsjtxSettings();
  if (!settings.enabled) {
    Tell({});
    return;
  }
  std::optional<UdpListenAddress> address = ParseListenAddress(settings.listen);
  if (!address) {
    Tell(QStringLiteral("WSJT-X: '%1' is no ADDRESS:PORT").arg(ToQt(settings.listen)));
    return;
  }
  try {
    listener_ = std::make_unique<WsjtxListener>(*address, [this](std::string datagram) {
      // Queued to the window thread; the listener's thread ends before this object does.
      QMetaObject::invokeMethod(
          this, [this, datagram = std::move(datagram)] { Take(datagram); }, Qt::QueuedConnection);
    });
    listening_ = QStringLiteral("WSJT-X: listening on %1:%2")
                     .arg(ToQt(address->address))
                     .arg(listener_->Port());
    Tell(listening_);
  } catch (const std::exception& e) {
    Tell(QStringLiteral("WSJT-X: ") + ToQt(e.what()));
  }
}

int WsjtxLink::Port() const {
  return listener_ ? listener_->Port() : 0;
}

std::size_t WsjtxLink::Malformed() const {
  return logger_->Malformed();
}

void WsjtxLink::Take(const std::string& datagram) {
  std::optional<WsjtxOutcome> outcome;
  // A log that cannot be written is told as every failed save is.
  Guarded(services_.notifier, [&] { outcome = logger_->Take(datagram, SteadySeconds()); });
  if (!outcome)
    return;
  QString broken = logger_->Malformed() == 0
                       ? QString()
                       : QStringLiteral(" (%1 broken datagrams skipped)").arg(logger_->Malformed());
  switch (outcome->kind) {
    case WsjtxOutcome::Kind::kLogged: {
      const TQSOData& qso = services_.session.log().QSOLog()[outcome->index];
      QString problem =
          outcome->text.empty() ? QString() : QStringLiteral(": ") + ToQt(outcome->text);
      Tell(QStringLiteral("WSJT-X: logged %1 on %2 %3")
               .arg(ToQt(qso.Call), ToQt(qso.Band), ToQt(qso.Mode)) +
           problem + broken);
      Q_EMIT qsoLogged();
      break;
    }
    case WsjtxOutcome::Kind::kRefused:
      Tell(QStringLiteral("WSJT-X: not logged: ") + ToQt(outcome->text) + broken);
      break;
    case WsjtxOutcome::Kind::kMalformed:
      Tell(QStringLiteral("WSJT-X: skipped a datagram, ") + ToQt(outcome->text) + broken);
      break;
    case WsjtxOutcome::Kind::kHeartbeat:
      // A sender heard tells the operator the link works; a QSO's status stays.
      if (status_ == listening_)
        Tell(listening_ + QStringLiteral(", heard ") + ToQt(outcome->text));
      break;
    case WsjtxOutcome::Kind::kRepeated:
    case WsjtxOutcome::Kind::kIgnored:
      break;
  }
}

void WsjtxLink::Tell(QString status) {
  if (status == status_)
    return;
  status_ = std::move(status);
  Q_EMIT statusChanged(status_);
}

}  // namespace mirva
