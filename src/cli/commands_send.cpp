#include <charconv>
#include <chrono>
#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>

#include "cli.h"
#ifdef MIRVA_HAVE_DBUS
#include "companion_call.h"
#endif

namespace mirva {

namespace {

/// `text` as a whole number from 0 to `max`; a UsageError naming `what` otherwise.
std::int64_t WholeNumber(const std::string& text, std::int64_t max, const std::string& what) {
  std::int64_t value = -1;
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || error != std::errc() || end != text.data() + text.size() || value < 0 ||
      value > max)
    throw UsageError(what + " must be a whole number from 0 to " + std::to_string(max) + ", not '" +
                     text + "'");
  return value;
}

}  // namespace

int RunSend(CliContext& cli) {
  std::optional<std::string> wait_text = cli.TakeOption("--wait");
  cli.RequireNoMoreArgs("send", 2);
  if (cli.args.size() != 2)
    throw UsageError("send takes CODE MASK");
  // The two arguments are 32-bit words, as the window message carries them.
  constexpr std::int64_t kWordMax = 0xFFFFFFFF;
  std::int64_t code = WholeNumber(cli.args[0], kWordMax, "CODE");
  std::int64_t mask = WholeNumber(cli.args[1], kWordMax, "MASK");
  std::chrono::milliseconds wait(wait_text ? WholeNumber(*wait_text, 600000, "--wait") : 1000);
#ifdef MIRVA_HAVE_DBUS
  std::optional<CompanionReply> reply =
      CallCompanion(static_cast<long>(code), static_cast<long>(mask), wait);
  if (!reply) {
    PrintLine("no reply within " + std::to_string(wait.count()) + " ms");
    return 3;
  }
  PrintLine("reply: wParam " + std::to_string(reply->wparam) + " lParam " +
            std::to_string(reply->lparam));
  return 0;
#else
  (void)code, (void)mask;
  throw std::runtime_error("send is not available: this mirva-cli was built without D-Bus");
#endif
}

}  // namespace mirva
