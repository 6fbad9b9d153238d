#include "ui/TileSource.h"

#include <QAbstractNetworkCache>
#include <QNetworkAccessManager>
#include <QNetworkDiskCache>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QUrl>

#include <algorithm>

namespace wavemark {

namespace {

// Public tile servers ask a program to keep no more than two requests open;
// QNetworkAccessManager alone would open six connections to a host.
constexpr size_t kMaxInFlight = 2;
constexpr qint64 kDiskCacheBytes = 50 * 1024 * 1024;
// A full-screen view on a 4K display shows about 16 × 10 tiles; fewer kept
// pictures would make such a view evict and fetch its own tiles in turn.
constexpr int kPicturesKept = 200;
// Without it a server that stops answering would hold both slots for good.
constexpr int kTransferTimeoutMs = 15000;

// 6 bits of zoom and 29 of x and y each, far beyond any zoom a server offers.
quint64 PackedTile(TileId id) {
    constexpr quint64 mask = (quint64(1) << 29) - 1;
    return quint64(id.zoom) << 58 | (quint64(id.x) & mask) << 29 | (quint64(id.y) & mask);
}

} // namespace

TileSource::TileSource(QString urlTemplate, const QString& cacheFolder, QByteArray userAgent,
                       QObject* parent)
    : QObject(parent), m_urlTemplate(std::move(urlTemplate)), m_userAgent(std::move(userAgent)),
      m_pictures(kPicturesKept) {
    if (!enabled()) {
        return;
    }
    m_network = new QNetworkAccessManager(this);
    m_network->setTransferTimeout(kTransferTimeoutMs);
    // Without a folder QNetworkDiskCache would warn on every answer it cannot keep.
    if (!cacheFolder.isEmpty()) {
        auto* cache = new QNetworkDiskCache(m_network);
        cache->setCacheDirectory(cacheFolder);
        cache->setMaximumCacheSize(kDiskCacheBytes);
        m_network->setCache(cache);
    }
}

TileSource::~TileSource() {
    // The replies belong to the network manager, which QObject deletes only
    // after this object's members are gone: cut them loose and stop them now,
    // so that no answer reaches a half-destroyed source.
    for (const auto& [id, reply] : m_inFlight) {
        reply->disconnect(this);
        reply->abort();
    }
}

void TileSource::want(const std::vector<TileId>& tiles) {
    if (!enabled()) {
        return;
    }
    m_queue.clear();
    for (const TileId& id : tiles) {
        const bool settled =
            m_pictures.contains(PackedTile(id)) || m_failed.contains(id) || m_inFlight.contains(id);
        if (!settled && std::find(m_queue.begin(), m_queue.end(), id) == m_queue.end()) {
            m_queue.push_back(id);
        }
    }
    startRequests();
}

QImage TileSource::tile(TileId id) const {
    const QImage* picture = m_pictures.object(PackedTile(id));
    return picture ? *picture : QImage();
}

bool TileSource::failed(TileId id) const {
    return m_failed.contains(id);
}

void TileSource::startRequests() {
    const std::string urlTemplate = m_urlTemplate.toStdString();
    while (m_inFlight.size() < kMaxInFlight && !m_queue.empty()) {
        const TileId id = m_queue.front();
        m_queue.pop_front();
        QNetworkRequest request(QUrl(QString::fromStdString(TileUrl(urlTemplate, id))));
        request.setRawHeader("User-Agent", m_userAgent);
        // A copy the server called fresh comes from the disk without asking
        // it; an expired one is asked for again, conditionally if it can be.
        request.setAttribute(QNetworkRequest::CacheLoadControlAttribute,
                             QNetworkRequest::PreferCache);
        request.setAttribute(QNetworkRequest::CacheSaveControlAttribute, true);
        QNetworkReply* reply = m_network->get(request);
        m_inFlight.emplace(id, reply);
        connect(reply, &QNetworkReply::finished, this, [this, reply, id] { finish(reply, id); });
    }
}

void TileSource::finish(QNetworkReply* reply, TileId id) {
    m_inFlight.erase(id);
    reply->deleteLater();
    QImage picture;
    if (reply->error() == QNetworkReply::NoError) {
        picture = QImage::fromData(reply->readAll());
        // The disk cache would otherwise hand the same bad body back on every run.
        if (picture.isNull() && m_network->cache()) {
            m_network->cache()->remove(reply->url());
        }
    }
    const bool arrived = !picture.isNull();
    if (arrived) {
        m_pictures.insert(PackedTile(id), new QImage(std::move(picture)));
    } else {
        m_failed.insert(id);
    }
    // The next requests go out before anyone hears of this one: a listener
    // may ask for tiles again, or delete this source.
    startRequests();
    if (arrived) {
        emit tileArrived(id);
    } else {
        emit tileFailed(id);
    }
}

} // namespace wavemark
