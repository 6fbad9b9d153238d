#include "ui/map/TileSource.h"

#include <QAbstractNetworkCache>
#include <QBuffer>
#include <QImageReader>
#include <QNetworkAccessManager>
#include <QNetworkDiskCache>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>
#include <QUrl>

#include <algorithm>

namespace wavemark {

namespace {

// Public tile servers ask a program to keep no more than two requests open;
// QNetworkAccessManager alone would open six connections to a host.
constexpr size_t kMaxInFlight = 2;
constexpr qint64 kDiskCacheBytes = 50 * 1024 * 1024;
// Without it a server that stops answering would hold both slots for good.
constexpr int kTransferTimeoutMs = 15000;
// Twenty times the weight of the heaviest real tile; a body beyond it is
// dropped as it arrives, before it fills memory.
constexpr qint64 kMaxBodyBytes = 2 * 1024 * 1024;
// Sixteen times the side of a plain tile, 64 MiB decoded; a picture whose
// header claims more is not decoded at all, as a small compressed body can
// unfold into gigabytes.
constexpr int kMaxPictureSide = 4096;
// One hop from http to https and one to a mirror are all a tile server needs.
constexpr int kMaxRedirects = 5;

// 6 bits of zoom and 29 of x and y each, far beyond any zoom a server offers.
quint64 PackedTile(TileId id) {
    constexpr quint64 mask = (quint64(1) << 29) - 1;
    return quint64(id.zoom) << 58 | (quint64(id.x) & mask) << 29 | (quint64(id.y) & mask);
}

// The scheme is read from the template itself: the placeholders come after
// it, so no tile's address can have another one.
bool IsWebTemplate(const QString& urlTemplate) {
    return urlTemplate.startsWith(QLatin1String("http://"), Qt::CaseInsensitive) ||
           urlTemplate.startsWith(QLatin1String("https://"), Qt::CaseInsensitive);
}

bool TooLarge(const QNetworkReply& reply) {
    return reply.header(QNetworkRequest::ContentLengthHeader).toLongLong() > kMaxBodyBytes ||
           reply.bytesAvailable() > kMaxBodyBytes;
}

// The size is read from the picture's header first, so that an absurd one
// is refused before any memory is set aside for it.
QImage Decode(const QByteArray& body) {
    QBuffer device;
    device.setData(body);
    device.open(QIODevice::ReadOnly);
    QImageReader reader(&device);
    const QSize size = reader.size();
    if (!size.isValid() || size.width() > kMaxPictureSide || size.height() > kMaxPictureSide) {
        return {};
    }
    return reader.read();
}

} // namespace

TileSource::TileSource(QString urlTemplate, const QString& cacheFolder, QByteArray userAgent,
                       QObject* parent, TileLimits limits)
    : QObject(parent), m_urlTemplate(std::move(urlTemplate)), m_userAgent(std::move(userAgent)),
      m_deadline(limits.deadline), m_pictures(limits.pictureBytes) {
    if (!IsWebTemplate(m_urlTemplate)) {
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
        request.setMaximumRedirectsAllowed(kMaxRedirects);
        QNetworkReply* reply = m_network->get(request);
        m_inFlight.emplace(id, reply);
        connect(reply, &QNetworkReply::finished, this, [this, reply, id] { finish(reply, id); });
        // Once the buffer is full the network stops reading, so no body can
        // grow past it. Twice the limit, as the network may stop a little
        // short of full, and the body must pass the limit to be dropped.
        reply->setReadBufferSize(2 * kMaxBodyBytes);
        const auto dropIfTooLarge = [reply] {
            if (TooLarge(*reply)) {
                reply->abort();
            }
        };
        connect(reply, &QNetworkReply::metaDataChanged, this, dropIfTooLarge);
        connect(reply, &QNetworkReply::readyRead, this, dropIfTooLarge);
        QTimer::singleShot(m_deadline, reply, &QNetworkReply::abort);
    }
}

void TileSource::finish(QNetworkReply* reply, TileId id) {
    m_inFlight.erase(id);
    reply->deleteLater();
    QImage picture;
    if (reply->error() == QNetworkReply::NoError) {
        picture = Decode(reply->readAll());
        // The disk cache would otherwise hand the same bad body back on every run.
        if (picture.isNull() && m_network->cache()) {
            m_network->cache()->remove(reply->url());
        }
    }
    const bool arrived = !picture.isNull();
    if (arrived) {
        const qsizetype bytes = picture.sizeInBytes();
        m_pictures.insert(PackedTile(id), new QImage(std::move(picture)), bytes);
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
