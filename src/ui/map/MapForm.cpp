#include "ui/map/MapForm.h"

#include "ui/Links.h"
#include "ui/Shell.h"
#include "ui/map/MapCanvas.h"
#include "ui/map/TileSource.h"

#include <QLabel>
#include <QVBoxLayout>

namespace wavemark {

QByteArray TileUserAgent() {
    return QByteArray("Wavemark/") + WAVEMARK_VERSION + " (+mailto:" + kContactMail + ")";
}

MapForm::MapForm(const MapSection& stored, const MapServices& services, QWidget* parent)
    : QWidget(parent, Qt::Window), m_stored(stored),
      m_tiles(new TileSource(QString::fromStdString(stored.TileUrl), services.tileCache,
                             TileUserAgent(), this)),
      m_canvas(new MapCanvas(m_tiles, this)), m_attribution(new QLabel(m_canvas)) {
    setObjectName(QStringLiteral("MapForm"));
    setWindowTitle(QString::fromUtf8(kMapFormTitle));
    m_canvas->setObjectName(QStringLiteral("MapCanvas"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_canvas);

    // The tile server's licence asks for its credit wherever its tiles show.
    m_attribution->setObjectName(QStringLiteral("MapAttribution"));
    m_attribution->setText(QStringLiteral("<a href=\"%1\">\u00a9 OpenStreetMap contributors</a>")
                               .arg(QLatin1String(kTileCopyrightPage)));
    m_attribution->setStyleSheet(
        QStringLiteral("QLabel { background: rgba(255, 255, 255, 200); padding: 1px 4px; }"));
    m_attribution->setVisible(m_tiles->enabled());
    Shell* shell = services.shell;
    connect(m_attribution, &QLabel::linkActivated, this,
            [shell](const QString& link) { shell->openAddress(link.toStdString()); });

    resize(stored.Width, stored.Height);
    if (stored.Left && stored.Top) {
        move(*stored.Left, *stored.Top);
    }
    if (stored.Latitude && stored.Longitude) {
        m_canvas->setView(Project(*stored.Latitude, *stored.Longitude), stored.Zoom);
    }
}

MapForm::~MapForm() = default;

void MapForm::showScene(std::shared_ptr<const MapScene> scene) {
    m_canvas->setScene(std::move(scene));
}

MapSection MapForm::section() const {
    MapSection section = m_stored;
    section.Left = x();
    section.Top = y();
    section.Width = width();
    section.Height = height();
    const Viewport view = m_canvas->view();
    section.Latitude = LatitudeAt(view.center.y);
    section.Longitude = LongitudeAt(view.center.x);
    section.Zoom = view.zoom;
    return section;
}

void MapForm::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    placeAttribution();
}

void MapForm::placeAttribution() {
    m_attribution->adjustSize();
    m_attribution->move(m_canvas->width() - m_attribution->width(),
                        m_canvas->height() - m_attribution->height());
    m_attribution->raise();
}

} // namespace wavemark
