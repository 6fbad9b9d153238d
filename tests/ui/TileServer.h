#pragma once

#include <QBuffer>
#include <QColor>
#include <QHash>
#include <QImage>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

#include <algorithm>
#include <memory>
#include <vector>

namespace wavemark::test {

enum class Answer {
    Tile,        // a picture the server calls fresh for a day
    Expired,     // a picture already stale, with an ETag to ask about it again
    ServerError, // 500
    NoPicture,   // 200 and image/png, but the body is a web page
    HangUp,      // the connection is closed without an answer
    Oversized,   // a Content-Length of 3 MiB, a tile's worth of body, then silence
    Endless,     // a chunked body that never ends, sent as fast as it is taken
    Trickle,     // a byte at a time, a body that takes minutes to end
    Enormous,    // a well-formed picture of 5600 × 5600, a few KB as PNG
};

struct Request {
    QByteArray path;
    QByteArray userAgent;
    QByteArray ifNoneMatch;
};

// A tile server on the loopback interface that speaks just enough HTTP/1.1
// for QNetworkAccessManager: GET requests, kept-alive connections, bodies
// with a Content-Length, or chunked for one that never ends. Tile /z/x/y.png
// is a plain square of colour (40x, 40y, 10z), so a picture filed under the
// wrong tile shows. While holding, requests wait until the test releases them.
class TileServer : public QObject {
public:
    static QColor colorOf(int z, int x, int y) {
        return {x * 40 % 256, y * 40 % 256, z * 10 % 256};
    }
    static QImage picture(int z, int x, int y) {
        QImage image(256, 256, QImage::Format_RGB32);
        image.fill(colorOf(z, x, y));
        return image;
    }

    TileServer() {
        connect(&m_listener, &QTcpServer::newConnection, this, &TileServer::accept);
        m_listener.listen(QHostAddress::LocalHost);
    }

    QString urlTemplate() const {
        return QStringLiteral("http://127.0.0.1:%1/{z}/{x}/{y}.png").arg(m_listener.serverPort());
    }
    void setAnswer(const QByteArray& path, Answer answer) { m_answers[path] = answer; }
    void setAnswerToAll(Answer answer) { m_answerToAll = answer; }

    void hold() { m_holding = true; }
    void stopHolding() {
        m_holding = false;
        releaseHeld();
    }
    void releaseOne() {
        if (m_held.empty()) {
            return;
        }
        const Held first = m_held.front();
        m_held.erase(m_held.begin());
        respond(first.socket, first.path);
    }
    void releaseHeld() {
        while (!m_held.empty()) {
            releaseOne();
        }
    }

    size_t pending() const { return m_held.size(); }
    size_t mostPending() const { return m_mostPending; }
    int connections() const { return m_connections; }
    const std::vector<Request>& requests() const { return m_requests; }
    QByteArrayList paths() const {
        QByteArrayList paths;
        for (const Request& request : m_requests) {
            paths << request.path;
        }
        return paths;
    }

private:
    struct Held {
        QPointer<QTcpSocket> socket;
        QByteArray path;
    };

    void accept() {
        while (QTcpSocket* socket = m_listener.nextPendingConnection()) {
            ++m_connections;
            auto buffer = std::make_shared<QByteArray>();
            connect(socket, &QTcpSocket::readyRead, this, [this, socket, buffer] {
                *buffer += socket->readAll();
                read(socket, *buffer);
            });
            connect(socket, &QTcpSocket::disconnected, this, [this, socket] {
                --m_connections;
                std::erase_if(m_held, [socket](const Held& held) { return held.socket == socket; });
                socket->deleteLater();
            });
        }
    }

    void read(QTcpSocket* socket, QByteArray& buffer) {
        for (qsizetype end = buffer.indexOf("\r\n\r\n"); end >= 0;
             end = buffer.indexOf("\r\n\r\n")) {
            const QByteArrayList lines = buffer.left(end).split('\n');
            buffer.remove(0, end + 4);
            Request request;
            request.path = lines.front().split(' ').value(1);
            for (const QByteArray& line : lines.mid(1)) {
                const qsizetype colon = line.indexOf(':');
                const QByteArray name = line.left(colon).trimmed().toLower();
                const QByteArray value = line.mid(colon + 1).trimmed();
                if (name == "user-agent") {
                    request.userAgent = value;
                } else if (name == "if-none-match") {
                    request.ifNoneMatch = value;
                }
            }
            m_requests.push_back(request);
            m_held.push_back({socket, request.path});
            m_mostPending = std::max(m_mostPending, m_held.size());
            if (!m_holding) {
                releaseHeld();
            }
        }
    }

    void respond(QTcpSocket* socket, const QByteArray& path) {
        if (!socket) {
            return;
        }
        QByteArray status = "200 OK";
        QByteArray type = "image/png";
        QByteArray caching = "Cache-Control: max-age=86400\r\n";
        QByteArray body;
        switch (m_answers.value(path, m_answerToAll)) {
        case Answer::Tile:
            body = Png(path);
            break;
        case Answer::Expired:
            body = Png(path);
            caching = "Expires: Thu, 01 Jan 1970 00:00:00 GMT\r\nETag: \"v1\"\r\n";
            break;
        case Answer::ServerError:
            status = "500 Internal Server Error";
            type = "text/plain";
            caching.clear();
            body = "Overloaded\n";
            break;
        case Answer::NoPicture:
            body = "<html><body>Tile server busy</body></html>\n";
            break;
        case Answer::HangUp:
            socket->disconnectFromHost();
            return;
        case Answer::Oversized:
            socket->write("HTTP/1.1 200 OK\r\nContent-Type: image/png\r\nContent-Length: " +
                          QByteArray::number(3 << 20) + "\r\n\r\n" + Png(path));
            return;
        case Answer::Endless:
            socket->write("HTTP/1.1 200 OK\r\nContent-Type: image/png\r\n"
                          "Transfer-Encoding: chunked\r\n\r\n");
            connect(socket, &QTcpSocket::bytesWritten, socket, [socket] {
                if (socket->bytesToWrite() < kChunk) {
                    socket->write(QByteArray::number(kChunk, 16) + "\r\n" +
                                  QByteArray(kChunk, 'x') + "\r\n");
                }
            });
            return;
        case Answer::Trickle: {
            socket->write("HTTP/1.1 200 OK\r\nContent-Type: image/png\r\nContent-Length: 100000"
                          "\r\n\r\n");
            auto* drip = new QTimer(socket);
            connect(drip, &QTimer::timeout, socket, [socket] { socket->write("x"); });
            drip->start(20);
            return;
        }
        case Answer::Enormous:
            body = Enormous();
            break;
        }
        socket->write("HTTP/1.1 " + status + "\r\nContent-Type: " + type + "\r\nContent-Length: " +
                      QByteArray::number(body.size()) + "\r\n" + caching + "\r\n" + body);
    }

    static QByteArray Png(const QByteArray& path) {
        const QByteArrayList parts = path.split('/'); // "", z, x, "y.png"
        const int z = parts.value(1).toInt();
        const int x = parts.value(2).toInt();
        const int y = parts.value(3).split('.').front().toInt();
        return Encoded(picture(z, x, y));
    }

    // One bit a pixel, so that it decodes to 4 MB, not the 125 MB of colour:
    // without a bound on the size the source would keep it.
    static QByteArray Enormous() {
        static const QByteArray png = [] {
            QImage image(5600, 5600, QImage::Format_Mono);
            image.fill(1);
            return Encoded(image);
        }();
        return png;
    }

    static QByteArray Encoded(const QImage& image) {
        QBuffer png;
        png.open(QIODevice::WriteOnly);
        image.save(&png, "PNG");
        return png.data();
    }

    static constexpr int kChunk = 64 * 1024;

    QHash<QByteArray, Answer> m_answers;
    Answer m_answerToAll = Answer::Tile;
    std::vector<Request> m_requests;
    std::vector<Held> m_held;
    size_t m_mostPending = 0;
    bool m_holding = false;
    int m_connections = 0;
    // Last, so that it goes first: its sockets report their closing to the members above.
    QTcpServer m_listener;
};

} // namespace wavemark::test
