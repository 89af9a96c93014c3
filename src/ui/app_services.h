#pragma once

namespace mirva {

class Session;
class Workspace;
class Clock;
class Notifier;
class MessageBus;
class EntryFile;
class TxBuffer;

/// What every window works with: the session and the outside world it is shown in.
struct AppServices {
  Workspace& workspace;
  Session& session;  ///< the workspace's
  Clock& clock;
  Notifier& notifier;
  MessageBus& bus;
  EntryFile& entry_file;
  TxBuffer& tx;
};

}  // namespace mirva
