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

/// A node the test plays: where the feed was to connect and what was sent to it.
struct FakeNode {
  ClusterEndpoint endpoint;
  ClusterFeed::Deliver deliver;
  std::vector<std::string> sent;

  /// Delivers the events from a thread of their own, as a feed's thread would.
  void Deliver(std::vector<ClusterEvent> events) const {
    std::thread feed([&] {
      for (ClusterEvent& event : events)
        deliver(std::move(event));
    });
    feed.join();
  }
};

/// Opens fake links to fake nodes, which outlive the links as a feed's thread may.
struct FakeNodes {
  std::vector<std::shared_ptr<FakeNode>> made;

  ClusterLinkOpener Opener() {
    return [this](ClusterEndpoint endpoint, ClusterFeed::Deliver deliver) {
      class Link : public ClusterLink {
       public:
        explicit Link(std::shared_ptr<FakeNode> node) : node_(std::move(node)) {}
        void Send(std::string line) override { node_->sent.push_back(std::move(line)); }

       private:
        std::shared_ptr<FakeNode> node_;
      };
      made.push_back(std::make_shared<FakeNode>(FakeNode{endpoint, std::move(deliver), {}}));
      return std::make_unique<Link>(made.back());
    };
  }
};

ClusterEvent Connected() {
  return {ClusterEvent::Kind::kConnected, "node", {}};
}
ClusterEvent Failed(const char* why) {
  return {ClusterEvent::Kind::kFailed, why, {}};
}
ClusterEvent Lines(std::vector<ClusterLine> lines) {
  return {ClusterEvent::Kind::kLines, "", std::move(lines)};
}
ClusterLine SpotLine(std::int64_t hz, const char* call) {
  Spot spot;
  spot.hz = hz;
  spot.call = call;
  return {true, spot, ""};
}
ClusterLine TextLine(const char* text) {
  return {false, {}, text};
}

/// What a SpotFeeds said, and whether all of it came on the window thread.
struct Heard {
  std::vector<std::vector<Spot>> spots;
  QStringList lines;
  QString status;
  bool window_thread = true;

  explicit Heard(SpotFeeds& feeds) {
    auto on_window = [this] { window_thread &= QThread::currentThread() == qApp->thread(); };
    QObject::connect(&feeds, &SpotFeeds::spotsArrived, [this, on_window](const auto& arrived) {
      on_window();
      spots.push_back(arrived);
    });
    QObject::connect(&feeds, &SpotFeeds::consoleLines, [this, on_window](const QStringList& l) {
      on_window();
      lines << l;
    });
    QObject::connect(&feeds, &SpotFeeds::statusChanged, [this](const QString& s) { status = s; });
  }
};

}  // namespace

class ClusterTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void BatchesComeOnTheWindowThreadInOrder() {
    UiFixture ui;
    ui.MakeWorkspace();
    StoreClusterSettings({{"a.example:7300", "b.example:7000"}, "UA1ABC", 30});
    FakeNodes nodes;
    SpotFeeds feeds(ui.services(), nodes.Opener());
    Heard heard(feeds);
    feeds.Restart();
    QCOMPARE(nodes.made.size(), std::size_t{2});
    QCOMPARE(nodes.made[1]->endpoint, (ClusterEndpoint{"b.example", 7000, "UA1ABC"}));
    QCOMPARE(heard.status,
             QStringLiteral("Cluster: a.example:7300 connecting; b.example:7000 connecting"));

    const FakeNode& a = *nodes.made[0];
    const FakeNode& b = *nodes.made[1];
    a.Deliver({Connected(), Lines({SpotLine(14025000, "DL1AA"), TextLine("hello")})});
    b.Deliver({Lines({TextLine("bye"), SpotLine(7010000, "OK1BB")}), Failed("refused")});
    a.Deliver({Lines({SpotLine(21010000, "F5CC")})});
    QTRY_COMPARE(heard.spots.size(), std::size_t{1});
    std::vector<std::string> calls;
    for (const Spot& spot : heard.spots[0])
      calls.push_back(spot.call);
    QCOMPARE(calls, (std::vector<std::string>{"DL1AA", "OK1BB", "F5CC"}));
    QCOMPARE(heard.lines, (QStringList{"a.example: hello", "b.example: bye"}));
    QCOMPARE(heard.status, QStringLiteral("Cluster: a.example:7300 connected; b.example:7000 "
                                          "trying again (refused)"));
    QVERIFY(heard.window_thread);

    feeds.Send(QStringLiteral("sh/dx 20"));
    QCOMPARE(a.sent, std::vector<std::string>{"sh/dx 20"});
    QVERIFY(b.sent.empty());
  }

  void TheLoginAndBadNodesAreTold() {
    struct Case {
      const char* feed;
      const char* login;
      const char* station_call;
      const char* logged_in;  ///< empty when no node is made
      const char* status;
    };
    const Case cases[] = {
        {"node:7300", "", "UA9XYZ", "UA9XYZ", "Cluster: node:7300 connecting"},
        {"node:7300", "", "", "", "Cluster: node:7300 failed (no call to log in with)"},
        {"node:99999", "UA1ABC", "", "", "Cluster: node:99999 failed (not HOST:PORT)"},
    };
    for (const Case& c : cases) {
      UiFixture ui;
      ui.MakeWorkspace();
      TStationCFG station;
      station.Call = c.station_call;
      ui.session->SetStation(station);
      StoreClusterSettings({{c.feed}, c.login, 30});
      FakeNodes nodes;
      SpotFeeds feeds(ui.services(), nodes.Opener());
      Heard heard(feeds);
      feeds.Restart();
      QCOMPARE(heard.status, QString::fromLatin1(c.status));
      QCOMPARE(nodes.made.empty(), !*c.logged_in);
      if (!nodes.made.empty())
        QCOMPARE(nodes.made[0]->endpoint.login, std::string(c.logged_in));
    }
  }

  void WhatOldFeedsDeliverGoesNowhere() {
    UiFixture ui;
    ui.MakeWorkspace();
    StoreClusterSettings({{"a.example:7300", "b.example:7000"}, "UA1ABC", 30});
    FakeNodes nodes;
    auto feeds = std::make_unique<SpotFeeds>(ui.services(), nodes.Opener());
    Heard heard(*feeds);
    feeds->Restart();
    StoreClusterSettings({{"c.example:7300"}, "UA1ABC", 30});
    feeds->Restart();
    nodes.made[1]->Deliver({Lines({SpotLine(14025000, "DL1AA")})});
    QTest::qWait(250);
    QVERIFY(heard.spots.empty());

    // A feed still delivering while its owner goes holds nothing up.
    std::atomic<bool> stop = false;
    std::thread feed([&, node = nodes.made[2]] {
      while (!stop)
        node->deliver(Lines({SpotLine(7010000, "OK1BB")}));
    });
    QTest::qWait(50);
    feeds.reset();
    stop = true;
    feed.join();
    QTest::qWait(150);
  }

  void BadAddressKeepsTheDialogOpenAndGoodLinesAreStored() {
    struct Case {
      const char* typed;
      bool stored;
      const char* refusal;
    };
    const Case cases[] = {
        {"a.example:7300\n\n  b.example:7000 \n", true, ""},
        {"a.example:7300\nb.example 7000", false,
         "Line 2, \"b.example 7000\", is not HOST:PORT with a port from 1 to 65535."},
    };
    for (const Case& c : cases) {
      UiFixture ui;
      Program& program = ui.Start();
      QAction* item = UiFixture::Find<QAction>(program.main(), "Cluster1");
      QVERIFY(item->isEnabled());
      item->trigger();
      ClusterDialog& dialog = program.cluster();
      QVERIFY(dialog.isVisible());
      QCOMPARE(dialog.objectName(), QStringLiteral("TClusterDlg"));
      QCOMPARE(Unspoken({&dialog}), QStringList());
      UiFixture::Find<QPlainTextEdit>(dialog, "mFeeds")->setPlainText(QLatin1String(c.typed));
      UiFixture::Find<QLineEdit>(dialog, "eLogin")->setText(QStringLiteral(" ua1abc "));
      UiFixture::Find<QSpinBox>(dialog, "seSpotAge")->setValue(15);
      UiFixture::Find<QPushButton>(dialog, "Button1")->click();
      QCOMPARE(dialog.isVisible(), !c.stored);
      ClusterSettings stored = ReadClusterSettings();
      if (c.stored) {
        QCOMPARE(stored, (ClusterSettings{{"a.example:7300", "b.example:7000"}, "UA1ABC", 15}));
        QVERIFY(ui.notifier.errors.empty());
      } else {
        QCOMPARE(stored, ClusterSettings{});
        QCOMPARE(ui.notifier.errors, std::vector<std::string>{c.refusal});
      }
    }
  }
};

}  // namespace mirva

QTEST_MAIN(mirva::ClusterTest)
#include "cluster_test.moc"
