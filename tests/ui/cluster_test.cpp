#include <QAction>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QtTest>
#include <atomic>
#include <thread>

#include "dialogs/cluster_dialog.h"
#include "spots/cluster_store.h"
#include "spots/spot_feeds.h"
#include "ui_fixture.h"

namespace mirva {

namespace {

/// A node the test plays, which outlives its link as a feed's thread may.
struct FakeNode {
  ClusterEndpoint endpoint;
  ClusterFeed::Deliver deliver;
  std::vector<std::string> sent;
};

/// Opens links to fake nodes, kept in `made`.
ClusterLinkOpener FakeOpener(std::vector<std::shared_ptr<FakeNode>>& made) {
  return [&made](ClusterEndpoint endpoint, ClusterFeed::Deliver deliver) {
    struct Link : ClusterLink {
      std::shared_ptr<FakeNode> node;
      void Send(std::string line) override { node->sent.push_back(std::move(line)); }
    };
    made.push_back(std::make_shared<FakeNode>(FakeNode{endpoint, std::move(deliver), {}}));
    auto link = std::make_unique<Link>();
    link->node = made.back();
    return link;
  };
}

/// Delivers the events from a thread of their own, as a feed's thread would.
void Deliver(const FakeNode& node, std::vector<ClusterEvent> events) {
  std::thread([&] {
    for (ClusterEvent& event : events)
      node.deliver(std::move(event));
  }).join();
}

ClusterEvent Lines(std::vector<ClusterLine> lines) {
  return {ClusterEvent::Kind::kLines, "", std::move(lines)};
}
ClusterLine SpotOf(const char* call) {
  ClusterLine line{true, {}, ""};
  line.spot.call = call;
  return line;
}

}  // namespace

class ClusterTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void BatchesComeOnTheWindowThreadInOrder() {
    UiFixture ui;
    ui.MakeWorkspace();
    StoreClusterSettings({{"a.example:7300", "b.example:7000"}, "UA1ABC", 30});
    std::vector<std::shared_ptr<FakeNode>> made;
    auto feeds = std::make_unique<SpotFeeds>(ui.services(), FakeOpener(made));
    std::vector<std::string> calls;
    QStringList lines;
    QString status;
    bool on_window = true;
    connect(feeds.get(), &SpotFeeds::spotsArrived, [&](const std::vector<Spot>& spots) {
      on_window &= QThread::currentThread() == qApp->thread();
      for (const Spot& spot : spots)
        calls.push_back(spot.call);
    });
    connect(feeds.get(), &SpotFeeds::consoleLines, [&](const QStringList& l) { lines << l; });
    connect(feeds.get(), &SpotFeeds::statusChanged, [&](const QString& s) { status = s; });
    feeds->Restart();
    QCOMPARE(made.size(), std::size_t{2});
    QCOMPARE(made[1]->endpoint, (ClusterEndpoint{"b.example", 7000, "UA1ABC"}));

    Deliver(*made[0], {{ClusterEvent::Kind::kConnected, "node", {}},
                       Lines({SpotOf("DL1AA"), {false, {}, "hello"}})});
    Deliver(*made[1], {Lines({{false, {}, "bye"}, SpotOf("OK1BB")}),
                       {ClusterEvent::Kind::kFailed, "refused", {}}});
    Deliver(*made[0], {Lines({SpotOf("F5CC")})});
    QTRY_VERIFY(!calls.empty());
    QCOMPARE(calls, (std::vector<std::string>{"DL1AA", "OK1BB", "F5CC"}));
    QVERIFY(on_window);
    QCOMPARE(lines, (QStringList{"a.example: hello", "b.example: bye"}));
    QCOMPARE(status, QStringLiteral("Cluster: a.example:7300 connected; b.example:7000 "
                                    "trying again (refused)"));
    feeds->Send(QStringLiteral("sh/dx 20"));
    QCOMPARE(made[0]->sent, std::vector<std::string>{"sh/dx 20"});
    QVERIFY(made[1]->sent.empty());

    // After a restart the old nodes deliver nowhere, and a feed still delivering while its
    // owner goes holds nothing up.
    StoreClusterSettings({{"c.example:7300"}, "UA1ABC", 30});
    feeds->Restart();
    Deliver(*made[1], {Lines({SpotOf("OK1BB")})});
    std::atomic<bool> stop = false;
    std::thread feed([&, node = made[2]] {
      for (; !stop; std::this_thread::sleep_for(std::chrono::microseconds(100)))
        node->deliver(Lines({SpotOf("F5CC")}));
    });
    QTRY_VERIFY(calls.size() > 3);
    QCOMPARE(calls[3], std::string("F5CC"));
    feeds.reset();
    stop = true;
    feed.join();
  }

  void TheLoginAndBadNodesAreTold() {
    struct Case {
      const char* feed;
      const char* login;
      const char* station_call;
      const char* status;
    };
    const Case cases[] = {
        {"node:7300", "", "UA9XYZ", "Cluster: node:7300 connecting"},
        {"node:7300", "", "", "Cluster: node:7300 failed (no call to log in with)"},
        {"node:99999", "UA1ABC", "", "Cluster: node:99999 failed (not HOST:PORT)"},
    };
    for (const Case& c : cases) {
      UiFixture ui;
      ui.MakeWorkspace();
      TStationCFG station;
      station.Call = c.station_call;
      ui.session->SetStation(station);
      StoreClusterSettings({{c.feed}, c.login, 30});
      std::vector<std::shared_ptr<FakeNode>> made;
      SpotFeeds feeds(ui.services(), FakeOpener(made));
      QSignalSpy status(&feeds, &SpotFeeds::statusChanged);
      feeds.Restart();
      QCOMPARE(status.last().at(0).toString(), QLatin1String(c.status));
      QCOMPARE(made.empty(), *c.station_call == '\0');
      if (!made.empty())
        QCOMPARE(made[0]->endpoint.login, std::string(c.station_call));
    }
  }

  void BadAddressKeepsTheDialogOpenAndGoodLinesAreStored() {
    struct Case {
      const char* typed;
      const char* refusal;  ///< empty when the lines are stored
    };
    const Case cases[] = {
        {"a.example:7300\n\n  b.example:7000 \n", ""},
        {"a.example:7300\nb.example 7000",
         "Line 2, \"b.example 7000\", is not HOST:PORT with a port from 1 to 65535."},
    };
    for (const Case& c : cases) {
      UiFixture ui;
      Program& program = ui.Start();
      UiFixture::Find<QAction>(program.main(), "Cluster1")->trigger();
      ClusterDialog& dialog = program.cluster();
      QVERIFY(dialog.isVisible());
      QCOMPARE(Unspoken({&dialog}), QStringList());
      UiFixture::Find<QPlainTextEdit>(dialog, "mFeeds")->setPlainText(QLatin1String(c.typed));
      UiFixture::Find<QLineEdit>(dialog, "eLogin")->setText(QStringLiteral(" ua1abc "));
      UiFixture::Find<QSpinBox>(dialog, "seSpotAge")->setValue(15);
      UiFixture::Find<QPushButton>(dialog, "Button1")->click();
      bool stored = !*c.refusal;
      QCOMPARE(dialog.isVisible(), !stored);
      const ClusterSettings typed{{"a.example:7300", "b.example:7000"}, "UA1ABC", 15};
      QCOMPARE(ReadClusterSettings(), stored ? typed : ClusterSettings{});
      QCOMPARE(ui.notifier.errors.size(), std::size_t{stored ? 0u : 1u});
      if (!stored)
        QCOMPARE(ui.notifier.errors[0], std::string(c.refusal));
    }
  }
};

}  // namespace mirva

QTEST_MAIN(mirva::ClusterTest)
#include "cluster_test.moc"
