#pragma once

#include <nats/nats.h>

#include <chrono>
#include <string>
#include <string_view>

#include "nats_transport.h"

namespace mirva {

/// A connection to the group's broker and its JetStream context, for the broker links of this
/// folder; it is connected again whenever the broker restarts.
class NatsConnection {
 public:
  /// Connects; a GroupError says why it could not.
  explicit NatsConnection(const NatsSettings& settings);
  ~NatsConnection();
  NatsConnection(const NatsConnection&) = delete;
  NatsConnection& operator=(const NatsConnection&) = delete;

  jsCtx* js() const { return js_; }
  /// The broker's URLs without any user or token in them.
  const std::string& where() const { return where_; }
  std::chrono::milliseconds timeout() const { return timeout_; }
  /// A failed call to the broker as a GroupError that names the cause.
  [[noreturn]] void Fail(natsStatus status, const std::string& doing) const;

 private:
  /// Closes the connection and frees its handles.
  void Release();

  natsOptions* options_ = nullptr;
  natsConnection* connection_ = nullptr;
  jsCtx* js_ = nullptr;
  jsOptions js_options_;
  std::string where_;
  std::chrono::milliseconds timeout_;
};

/// The name in lower case, as subjects and keys of the group are written.
std::string LowerName(std::string_view text);

}  // namespace mirva
