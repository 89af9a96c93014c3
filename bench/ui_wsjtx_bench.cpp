// The whole program listening for WSJT-X on loopback: from a "QSO logged" datagram sent to
// the QSO in the list's model, on a 100,000-QSO log.
#include <benchmark/benchmark.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QAbstractItemModel>
#include <QTableView>
#include <chrono>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "ui_entry_program.h"
#include "windows/qso_list_window.h"
#include "wsjtx/wsjtx_link.h"
#include "wsjtx/wsjtx_store.h"

namespace mirva {
namespace {

using Clock = std::chrono::steady_clock;

/// "ARI International DX Contest" in the shipped catalogue: CW, SSB and DIGI.
constexpr int kDigiContest = 15;

/// A UDP socket on 127.0.0.1 that sends to the program.
class Sender {
 public:
  Sender() : fd_(socket(AF_INET, SOCK_DGRAM, 0)) {
    sockaddr_in address = To(0);
    socklen_t size = sizeof address;
    bind(fd_, reinterpret_cast<sockaddr*>(&address), size);
    getsockname(fd_, reinterpret_cast<sockaddr*>(&address), &size);
    port = ntohs(address.sin_port);
  }
  ~Sender() { close(fd_); }
  Sender(const Sender&) = delete;
  Sender& operator=(const Sender&) = delete;

  void Send(int to, const std::string& datagram) const {
    sockaddr_in address = To(to);
    sendto(fd_, datagram.data(), datagram.size(), 0, reinterpret_cast<sockaddr*>(&address),
           sizeof address);
  }

  int port = 0;

 private:
  static sockaddr_in To(int port) {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<std::uint16_t>(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    return address;
  }
  int fd_;
};

void Put(std::string& out, std::uint64_t value, int size) {
  for (int k = size - 1; k >= 0; --k)
    out += static_cast<char>(value >> (8 * k) & 0xff);
}

void PutText(std::string& out, const std::string& text) {
  Put(out, text.size(), 4);
  out += text;
}

/// A "QSO logged" datagram of schema 2: the call on 20 m FT8 at minute `n` of the day.
std::string QsoDatagram(const std::string& call, int n) {
  std::string d;
  Put(d, 0xadbccbda, 4);
  Put(d, 2, 4);
  Put(d, 5, 4);
  PutText(d, "WSJT-X");
  auto time = [&] {
    Put(d, 2460645, 8);
    Put(d, static_cast<std::uint64_t>(n % 1440) * 60000, 4);
    Put(d, 1, 1);
  };
  time();
  PutText(d, call);
  PutText(d, "JO22");
  Put(d, 14074000, 8);
  for (const char* text : {"FT8", "-10", "-12", "100", "", ""})
    PutText(d, text);
  time();
  return d;
}

/// The program on the 100k log with the entry and QSO list open under a contest with a
/// digital mode, listening on loopback; made once.
struct Listening {
  int port = Sender().port;  // free once the probe is gone
  std::unique_ptr<RunningProgram> running;
  Sender sender;
  int sent = 0;

  Listening() {
    std::string dir = ContestFolder("ui-wsjtx", 100000);
    CopyShippedData(dir);
    auto settings = StoreOpenWindows({"sbNew", "sbQSOList"});
    settings->setValue(QStringLiteral("%1/%2").arg(QLatin1String(kContestSection),
                                                   QLatin1String(kContestIndexKey)),
                       kDigiContest);
    settings.reset();
    StoreWsjtxSettings({true, "127.0.0.1:" + std::to_string(port)});
    running = std::make_unique<RunningProgram>(dir);
  }
};

std::unique_ptr<Listening>& Shared() {
  static std::unique_ptr<Listening> shared;
  return shared;
}

/// Each repetition sends one new QSO and waits for the list's model to hold it.
void BM_UiWsjtxQsoToList(benchmark::State& state) {
  if (!HaveData(state))
    return;
  if (!Shared()) {
    Shared() = std::make_unique<Listening>();
    // The program ends before the application does.
    qAddPostRoutine([] { Shared().reset(); });
  }
  Listening& shared = *Shared();
  if (shared.running->program->wsjtx().Port() != shared.port) {
    state.SkipWithError("the program does not listen");
    return;
  }
  QAbstractItemModel* model =
      shared.running->program->list().findChild<QTableView*>(QStringLiteral("sgQSOList"))->model();
  const std::vector<std::string>& calls = Calls();
  for (auto _ : state) {
    int rows = model->rowCount();
    int n = shared.sent++;
    std::string datagram = QsoDatagram(calls[static_cast<std::size_t>(n) * 7919 % calls.size()], n);
    Clock::time_point start = Clock::now();
    shared.sender.Send(shared.port, datagram);
    Clock::time_point deadline = start + std::chrono::seconds(5);
    while (model->rowCount() == rows && Clock::now() < deadline)
      QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, 5);
    if (model->rowCount() == rows) {
      state.SkipWithError("a QSO did not reach the list");
      return;
    }
    state.SetIterationTime(std::chrono::duration<double>(Clock::now() - start).count());
  }
}
BENCHMARK(BM_UiWsjtxQsoToList)->Apply(OneEventEach)->Repetitions(50);

}  // namespace
}  // namespace mirva
