#include "ui/map/MapForm.h"

#include "ui/Links.h"
#include "ui/Shell.h"
#include "ui/map/MapCanvas.h"
#include "ui/map/MapPicture.h"
#include "ui/map/MapSearchField.h"
#include "ui/map/TileSource.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace wavemark {
namespace {

constexpr const char* kPictureName = "map.png"; // proposed at the first "Save picture..."

} // namespace

QByteArray TileUserAgent() {
    return QByteArray("Wavemark/") + WAVEMARK_VERSION + " (+mailto:" + kContactMail + ")";
}

MapForm::MapForm(const MapSection& stored, const MapServices& services, QWidget* parent)
    : QWidget(parent, Qt::Window), m_stored(stored), m_messages(services.messages),
      m_pictureDialog(services.makeDialog(this)),
      m_tiles(new TileSource(QString::fromStdString(stored.TileUrl), services.tileCache,
                             TileUserAgent(), this)),
      m_canvas(new MapCanvas(m_tiles, this)), m_attribution(new QLabel(m_canvas)),
      m_search(new MapSearchField(*m_canvas, this)), m_legend(new QCheckBox(this)) {
    setObjectName(QStringLiteral("MapForm"));
    setWindowTitle(QString::fromUtf8(kMapFormTitle));
    m_canvas->setObjectName(QStringLiteral("MapCanvas"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(makeToolBar());
    layout->addWidget(m_canvas, 1);

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

QWidget* MapForm::makeToolBar() {
    auto* bar = new QWidget(this);
    auto* row = new QHBoxLayout(bar);
    row->setContentsMargins(4, 4, 4, 4);
    m_search->setObjectName(QStringLiteral("ED_Search"));
    connect(m_search, &MapSearchField::picked, this, [this](uint32_t marker) {
        m_canvas->centreOn(marker);
        m_canvas->select(marker);
    });
    row->addWidget(m_search, 1);

    m_legend->setObjectName(QStringLiteral("CB_Legend"));
    m_legend->setText(QStringLiteral("Legend"));
    connect(m_legend, &QCheckBox::toggled, m_canvas, &MapCanvas::setLegendVisible);
    m_legend->setChecked(true);
    row->addWidget(m_legend);

    auto* save = new QPushButton(QStringLiteral("Save picture..."), bar);
    save->setObjectName(QStringLiteral("CMD_SavePicture"));
    connect(save, &QPushButton::clicked, this, &MapForm::savePicture);
    row->addWidget(save);
    return bar;
}

void MapForm::showScene(std::shared_ptr<const MapScene> scene) {
    m_search->clearMatches();
    m_canvas->setScene(std::move(scene));
}

// The picture is the map as the canvas shows it, with the credit that its
// tiles' licence asks for.
void MapForm::savePicture() {
    CommonDialog& dialog = *m_pictureDialog;
    dialog.DialogTitle = "Save picture";
    dialog.Filter = "PNG picture (*.png)|*.png|";
    dialog.Flags = CommonDialog::kOverwritePrompt | CommonDialog::kHideReadOnly;
    if (dialog.FileName.empty()) {
        dialog.FileName = kPictureName;
    }
    const DialogResult result = dialog.ShowSave();
    if (result.outcome == DialogResult::Outcome::Failed) {
        m_messages->showMessage(SaveDialogFailureText(result), MessageButtons::Ok,
                                MessageIcon::Critical, kProgramTitle);
        return;
    }
    if (!result.accepted()) {
        return;
    }
    const std::string reason = WriteMapPicture(m_canvas->grab().toImage(), dialog.FileName);
    if (!reason.empty()) {
        m_messages->showMessage(MapPictureErrorText(dialog.FileName, reason), MessageButtons::Ok,
                                MessageIcon::Critical, kProgramTitle);
    }
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
