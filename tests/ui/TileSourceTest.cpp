#include "ui/TileSource.h"

#include "TileServer.h"

#include <QRegularExpression>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>

using namespace wavemark;
using namespace wavemark::test;

namespace {

const QByteArray kAgent = "Wavemark/1.0 (map window; wavemark@example.org)";

QByteArray PathOf(TileId id) {
    return QStringLiteral("/%1/%2/%3.png").arg(id.zoom).arg(id.x).arg(id.y).toLatin1();
}

// The tiles a spy on tileArrived or tileFailed heard of, as the server's paths.
QByteArrayList Heard(const QSignalSpy& spy) {
    QByteArrayList paths;
    for (const QList<QVariant>& arguments : spy) {
        paths << PathOf(arguments.front().value<TileId>());
    }
    return paths;
}

QByteArrayList Sorted(QByteArrayList paths) {
    std::sort(paths.begin(), paths.end());
    return paths;
}

// A tile server and a source that asks it, with a fresh disk cache, and a
// spy on the tiles that arrive.
struct Fetching {
    TileServer server;
    QTemporaryDir cache;
    TileSource source{server.urlTemplate(), cache.path(), kAgent};
    QSignalSpy arrived{&source, &TileSource::tileArrived};
};

} // namespace

class TileSourceTest : public QObject {
    Q_OBJECT

private slots:
    void fetchesTheTilesOfTheViewOnceEach() {
        Fetching f;
        auto& [server, cache, source, arrived] = f;

        source.want({{3, 1, 2}, {3, 2, 2}, {3, 1, 2}, {4, 5, 6}});
        QTRY_COMPARE(arrived.count(), 3);
        const QByteArrayList tiles{"/3/1/2.png", "/3/2/2.png", "/4/5/6.png"};
        QCOMPARE(Sorted(server.paths()), tiles);
        QCOMPARE(Sorted(Heard(arrived)), tiles);
        for (const Request& request : server.requests()) {
            QCOMPARE(request.userAgent, kAgent);
        }
        QCOMPARE(source.tile({3, 1, 2}).size(), QSize(256, 256));
        QCOMPARE(source.tile({3, 1, 2}).pixelColor(0, 0), QColor(40, 80, 30));
        QCOMPARE(source.tile({4, 5, 6}).pixelColor(255, 255), QColor(200, 240, 40));
        QVERIFY(source.tile({4, 1, 2}).isNull());

        // Tiles already here are not asked for again, only the one new to the view.
        source.want({{3, 1, 2}, {3, 2, 2}, {4, 1, 2}, {4, 5, 6}});
        QTRY_COMPARE(arrived.count(), 4);
        QCOMPARE(server.paths().mid(3), QByteArrayList{"/4/1/2.png"});
        QCOMPARE(source.tile({4, 1, 2}).pixelColor(0, 0), QColor(40, 80, 40));
    }

    void keepsAtMostTwoRequestsOpenAndFollowsTheOrder() {
        Fetching f;
        auto& [server, cache, source, arrived] = f;
        const QByteArrayList order{"/6/1/1.png", "/6/2/1.png", "/6/3/1.png",
                                   "/6/1/2.png", "/6/2/2.png", "/6/3/2.png"};

        server.hold();
        source.want({{6, 1, 1}, {6, 2, 1}, {6, 3, 1}, {6, 1, 2}, {6, 2, 2}, {6, 3, 2}});
        QTRY_COMPARE(server.pending(), size_t(2));
        QCOMPARE(Sorted(server.paths()), order.mid(0, 2));
        for (qsizetype next = 2; next < order.size(); ++next) {
            server.releaseOne();
            QTRY_COMPARE(server.paths().size(), next + 1);
            QCOMPARE(server.paths().at(next), order.at(next));
        }
        server.stopHolding();
        QTRY_COMPARE(arrived.count(), 6);
        QCOMPARE(server.mostPending(), size_t(2));
        QCOMPARE(Sorted(Heard(arrived)), Sorted(order));
    }

    void diskCacheServesFreshCopiesAndAsksAboutStaleOnes() {
        TileServer server;
        server.setAnswer("/7/2/3.png", Answer::Expired);
        QTemporaryDir cache;
        {
            TileSource first(server.urlTemplate(), cache.path(), kAgent);
            QSignalSpy arrived(&first, &TileSource::tileArrived);
            first.want({{7, 1, 3}, {7, 2, 3}, {7, 3, 3}});
            QTRY_COMPARE(arrived.count(), 3);
        }
        QCOMPARE(server.requests().size(), size_t(3));

        // A new source on the same folder, as on the next run of the program.
        TileSource second(server.urlTemplate(), cache.path(), kAgent);
        QSignalSpy arrived(&second, &TileSource::tileArrived);
        second.want({{7, 1, 3}, {7, 2, 3}, {7, 3, 3}});
        QTRY_COMPARE(arrived.count(), 3);
        QCOMPARE(server.paths().mid(3), QByteArrayList{"/7/2/3.png"});
        QCOMPARE(server.requests().back().ifNoneMatch, QByteArray("\"v1\""));
        QCOMPARE(second.tile({7, 1, 3}).pixelColor(0, 0), QColor(40, 120, 70));
        QCOMPARE(second.tile({7, 3, 3}).pixelColor(0, 0), QColor(120, 120, 70));
    }

    void aNewViewDropsTheTilesStillQueued() {
        Fetching f;
        auto& [server, cache, source, arrived] = f;

        server.hold();
        source.want({{8, 1, 1}, {8, 2, 1}, {8, 3, 1}, {8, 4, 1}, {8, 5, 1}, {8, 6, 1}});
        QTRY_COMPARE(server.pending(), size_t(2));
        source.want({{9, 1, 1}, {9, 2, 1}});
        server.releaseHeld();
        QTRY_COMPARE(server.pending(), size_t(2));
        const QByteArrayList asked{"/8/1/1.png", "/8/2/1.png", "/9/1/1.png", "/9/2/1.png"};
        QCOMPARE(Sorted(server.paths()), asked);
        server.stopHolding();
        QTRY_COMPARE(arrived.count(), 4);

        // Had a tile of the first view been kept, it would now hold a slot,
        // and this one would reach the server only after it.
        source.want({{9, 3, 1}});
        QTRY_VERIFY(!source.tile({9, 3, 1}).isNull());
        QCOMPARE(Sorted(server.paths()), asked + QByteArrayList{"/9/3/1.png"});
    }

    void unusableAnswersFailForThisSource_data() {
        QTest::addColumn<Answer>("answer");
        QTest::newRow("server error") << Answer::ServerError;
        QTest::newRow("no picture") << Answer::NoPicture;
        QTest::newRow("hung up") << Answer::HangUp;
    }

    void unusableAnswersFailForThisSource() {
        QFETCH(Answer, answer);
        // Nothing is said about a missing tile, not even on the console.
        QTest::failOnWarning(QRegularExpression(QStringLiteral(".*")));
        Fetching f;
        auto& [server, cache, source, arrived] = f;
        server.setAnswer("/10/1/1.png", answer);
        QSignalSpy failed(&source, &TileSource::tileFailed);

        source.want({{10, 1, 1}, {10, 2, 1}});
        QTRY_COMPARE(failed.count(), 1);
        QTRY_COMPARE(arrived.count(), 1);
        QCOMPARE(Heard(failed), QByteArrayList{"/10/1/1.png"});
        QVERIFY(source.failed({10, 1, 1}));
        QVERIFY(source.tile({10, 1, 1}).isNull());
        QVERIFY(!source.failed({10, 2, 1}));
        QVERIFY(!source.tile({10, 2, 1}).isNull());

        const QByteArrayList asked = server.paths();
        source.want({{10, 1, 1}, {10, 3, 1}});
        QTRY_COMPARE(arrived.count(), 2);
        QCOMPARE(server.paths(), asked + QByteArrayList{"/10/3/1.png"});
        QCOMPARE(failed.count(), 1);

        // Nor is the bad answer kept on disk for the next run to fail on.
        TileSource nextRun(server.urlTemplate(), cache.path(), kAgent);
        QSignalSpy failedAgain(&nextRun, &TileSource::tileFailed);
        nextRun.want({{10, 1, 1}});
        QTRY_COMPARE(failedAgain.count(), 1);
        QCOMPARE(server.paths().mid(asked.size() + 1).value(0), QByteArray("/10/1/1.png"));
    }

    void noTemplateAsksForNothing() {
        TileServer server;
        QTemporaryDir cache;
        TileSource off(QString(), cache.path(), kAgent);
        QSignalSpy arrived(&off, &TileSource::tileArrived);
        QSignalSpy failed(&off, &TileSource::tileFailed);
        QVERIFY(!off.enabled());
        off.want({{11, 1, 1}, {11, 2, 1}});

        TileSource on(server.urlTemplate(), cache.path(), kAgent);
        on.want({{11, 3, 1}});
        QTRY_VERIFY(!on.tile({11, 3, 1}).isNull());
        QCOMPARE(server.paths(), QByteArrayList{"/11/3/1.png"});
        QCOMPARE(arrived.count() + failed.count(), 0);
        QVERIFY(off.tile({11, 1, 1}).isNull());
        QVERIFY(!off.failed({11, 1, 1}));
    }

    void goingAwayMidRequestClosesTheConnections() {
        TileServer server;
        QTemporaryDir cache;
        server.hold();
        {
            TileSource source(server.urlTemplate(), cache.path(), kAgent);
            source.want({{12, 1, 1}, {12, 2, 1}, {12, 3, 1}});
            QTRY_COMPARE(server.pending(), size_t(2));
        }
        QTRY_COMPARE(server.connections(), 0);
        QCOMPARE(server.paths().size(), 2);
    }
};

QTEST_MAIN(TileSourceTest)
#include "TileSourceTest.moc"
