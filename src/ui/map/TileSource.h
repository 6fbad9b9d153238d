#pragma once

#include "mapview/TileGrid.h"

#include <QByteArray>
#include <QCache>
#include <QImage>
#include <QObject>
#include <QString>

#include <chrono>
#include <deque>
#include <map>
#include <set>
#include <vector>

class QNetworkAccessManager;
class QNetworkReply;

namespace wavemark {

// What a tile server can make a source wait for or hold. Real tiles weigh
// 5–100 KB and arrive within a second or two; tests shorten these.
struct TileLimits {
    // From the request to the last byte, redirects included: a server that
    // trickles a byte a second never trips the network's own timeout, which
    // only watches for silence. 30 s still carries a tile of the largest
    // size allowed over a link of 70 KB/s.
    std::chrono::milliseconds deadline{30000};
    // The decoded pictures kept. A full-screen view on a 4K display shows
    // about 16 × 10 tiles, 40 MiB decoded, or four times that with tiles for
    // high-density displays; fewer would make such a view evict and fetch
    // its own tiles in turn.
    qsizetype pictureBytes = 256 * 1024 * 1024;
};

// Fetches slippy-map tiles the way public tile servers ask of a program:
// it names itself in the User-Agent, keeps at most two requests open, asks
// only for the tiles the view shows, and keeps answers in a disk cache that
// honours the server's HTTP caching headers. A tile that cannot be had is
// remembered as failed and not asked for again; nothing is ever shown to the
// user for it, the map draws its plain background there.
class TileSource : public QObject {
    Q_OBJECT

public:
    // Only an http or https URL template turns tiles on; with any other, or
    // none, nothing is ever requested, since opening a file or a pipe named
    // there could block the window.
    TileSource(QString urlTemplate, const QString& cacheFolder, QByteArray userAgent,
               QObject* parent = nullptr, TileLimits limits = {});
    ~TileSource() override;

    bool enabled() const { return m_network != nullptr; }

    // The tiles the view shows now, most wanted first. Tiles still queued
    // from an earlier view that are not in the list are dropped.
    void want(const std::vector<TileId>& tiles);

    // The tile's picture once it has arrived, otherwise a null image.
    QImage tile(TileId id) const;
    bool failed(TileId id) const;

signals:
    void tileArrived(wavemark::TileId id);
    void tileFailed(wavemark::TileId id);

private:
    void startRequests();
    void finish(QNetworkReply* reply, TileId id);

    QString m_urlTemplate;
    QByteArray m_userAgent;
    std::chrono::milliseconds m_deadline;
    QNetworkAccessManager* m_network = nullptr;
    std::deque<TileId> m_queue;
    std::map<TileId, QNetworkReply*> m_inFlight;
    std::set<TileId> m_failed;
    // The decoded pictures, up to a bound in bytes; the disk cache keeps
    // the rest. Keyed by the tile's numbers packed into one integer.
    QCache<quint64, QImage> m_pictures;
};

} // namespace wavemark
