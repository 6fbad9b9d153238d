#pragma once

#include "mapview/TileGrid.h"

#include <QByteArray>
#include <QCache>
#include <QImage>
#include <QObject>
#include <QString>

#include <deque>
#include <map>
#include <set>
#include <vector>

class QNetworkAccessManager;
class QNetworkReply;

namespace wavemark {

// Fetches slippy-map tiles the way public tile servers ask of a program:
// it names itself in the User-Agent, keeps at most two requests open, asks
// only for the tiles the view shows, and keeps answers in a disk cache that
// honours the server's HTTP caching headers. A tile that cannot be had is
// remembered as failed and not asked for again; nothing is ever shown to the
// user for it, the map draws its plain background there.
class TileSource : public QObject {
    Q_OBJECT

public:
    // An empty URL template turns tiles off: nothing is ever requested.
    TileSource(QString urlTemplate, const QString& cacheFolder, QByteArray userAgent,
               QObject* parent = nullptr);
    ~TileSource() override;

    bool enabled() const { return !m_urlTemplate.isEmpty(); }

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
    QNetworkAccessManager* m_network = nullptr;
    std::deque<TileId> m_queue;
    std::map<TileId, QNetworkReply*> m_inFlight;
    std::set<TileId> m_failed;
    // The decoded pictures, a bounded number of them; the disk cache keeps
    // the rest. Keyed by the tile's numbers packed into one integer.
    QCache<quint64, QImage> m_pictures;
};

} // namespace wavemark
