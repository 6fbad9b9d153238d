#include "ui/map/TileSource.h"

#include "TileServer.h"

#include <QFile>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <future>
#include <thread>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

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
    explicit Fetching(TileLimits limits = {})
        : source(server.urlTemplate(), cache.path(), kAgent, nullptr, limits) {}
    TileServer server;
    QTemporaryDir cache;
    TileSource source;
    QSignalSpy arrived{&source, &TileSource::tileArrived};
};

// A FIFO nobody writes to, which blocks whoever opens it to read. Should a
// reader still be stuck after a few seconds the writing end is opened and
// closed to set it free, and any after it, so that the test fails instead of
// hanging.
class Pipe {
public:
    explicit Pipe(const QString& path) : m_path(QFile::encodeName(path)) {
        m_made = mkfifo(m_path.constData(), 0600) == 0;
        m_watch = std::thread([this, done = m_done.get_future()] {
            std::chrono::milliseconds patience(5000);
            while (done.wait_for(patience) == std::future_status::timeout) {
                const int end = open(m_path.constData(), O_WRONLY | O_NONBLOCK);
                if (end >= 0) {
                    m_readerWasStuck = true;
                    close(end);
                }
                patience = std::chrono::milliseconds(50);
            }
        });
    }
    ~Pipe() { readerWasStuck(); }

    bool made() const { return m_made; }
    bool readerWasStuck() {
        if (m_watch.joinable()) {
            m_done.set_value();
            m_watch.join();
        }
        return m_readerWasStuck;
    }

private:
    QByteArray m_path;
    bool m_made = false;
    bool m_readerWasStuck = false;
    std::promise<void> m_done;
    std::thread m_watch;
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
        QTest::addColumn<int>("deadlineMs");
        const int standard = int(TileLimits().deadline.count());
        QTest::newRow("server error") << Answer::ServerError << standard;
        QTest::newRow("no picture") << Answer::NoPicture << standard;
        QTest::newRow("hung up") << Answer::HangUp << standard;
        QTest::newRow("says it is too long") << Answer::Oversized << standard;
        QTest::newRow("never ends") << Answer::Endless << standard;
        QTest::newRow("too slow") << Answer::Trickle << 300;
        QTest::newRow("enormous picture") << Answer::Enormous << standard;
    }

    void unusableAnswersFailForThisSource() {
        QFETCH(Answer, answer);
        QFETCH(int, deadlineMs);
        // Nothing is said about a missing tile, not even on the console.
        QTest::failOnWarning(QRegularExpression(QStringLiteral(".*")));
        const TileLimits limits{.deadline = std::chrono::milliseconds(deadlineMs)};
        Fetching f(limits);
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
        TileSource nextRun(server.urlTemplate(), cache.path(), kAgent, nullptr, limits);
        QSignalSpy failedAgain(&nextRun, &TileSource::tileFailed);
        nextRun.want({{10, 1, 1}});
        QTRY_COMPARE(failedAgain.count(), 1);
        QCOMPARE(server.paths().mid(asked.size() + 1).value(0), QByteArray("/10/1/1.png"));
    }

    void keptPicturesAreBoundedInBytes() {
        const qsizetype tileBytes = TileServer::picture(13, 1, 1).sizeInBytes();
        Fetching f({.pictureBytes = 3 * tileBytes});
        auto& [server, cache, source, arrived] = f;
        const std::vector<TileId> view{{13, 1, 1}, {13, 2, 1}, {13, 3, 1}, {13, 4, 1}, {13, 5, 1}};

        source.want(view);
        QTRY_COMPARE(arrived.count(), 5);
        const QByteArrayList order = Heard(arrived);
        for (const TileId& id : view) {
            const bool lastThree = order.indexOf(PathOf(id)) >= 2;
            QCOMPARE(source.tile(id).isNull(), !lastThree);
        }

        // The two let go come back from the disk cache, not the server.
        source.want(view);
        QTRY_COMPARE(arrived.count(), 7);
        QCOMPARE(Sorted(Heard(arrived).mid(5)), Sorted(order.mid(0, 2)));
        QCOMPARE(server.requests().size(), size_t(5));
    }

    void onlyWebTemplatesAskForTiles_data() {
        QTest::addColumn<QString>("urlTemplate");
        QTest::newRow("none") << QString();
        QTest::newRow("a pipe") << QStringLiteral("file://{dir}/fifo");
        QTest::newRow("ftp") << QStringLiteral("ftp://127.0.0.1:{port}/{z}/{x}/{y}.png");
        QTest::newRow("no scheme") << QStringLiteral("127.0.0.1:{port}/{z}/{x}/{y}.png");
    }

    void onlyWebTemplatesAskForTiles() {
        QFETCH(QString, urlTemplate);
        TileServer server;
        QTemporaryDir cache;
        QTemporaryDir files;
        Pipe pipe(files.filePath(QStringLiteral("fifo")));
        QVERIFY(pipe.made());
        const QString port = QString::number(QUrl(server.urlTemplate()).port());
        urlTemplate.replace(QLatin1String("{dir}"), files.path());
        urlTemplate.replace(QLatin1String("{port}"), port);

        TileSource off(urlTemplate, cache.path(), kAgent);
        QSignalSpy arrived(&off, &TileSource::tileArrived);
        QSignalSpy failed(&off, &TileSource::tileFailed);
        QVERIFY(!off.enabled());
        off.want({{11, 1, 1}, {11, 2, 1}});

        // The scheme's case does not matter.
        TileSource on(QStringLiteral("HTTP://127.0.0.1:%1/{z}/{x}/{y}.png").arg(port), cache.path(),
                      kAgent);
        QVERIFY(on.enabled());
        on.want({{11, 3, 1}});
        QTRY_VERIFY(!on.tile({11, 3, 1}).isNull());
        QVERIFY(!pipe.readerWasStuck());
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
