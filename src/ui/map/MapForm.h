#pragma once

#include "mapview/MapScene.h"
#include "settings/MapSection.h"

#include <QString>
#include <QWidget>

#include <memory>

class QLabel;

namespace wavemark {

class MapCanvas;
class Shell;
class TileSource;

inline constexpr const char* kMapFormTitle = "Wavemark - Map";
inline constexpr const char* kTileCopyrightPage = "https://www.openstreetmap.org/copyright";

// What the map window takes from its surroundings.
struct MapServices {
    Shell* shell = nullptr;
    QString tileCache; // folder of the tiles' disk cache
};

// The map window: the last conversion on a map, beside the main window and
// not modal. It opens where the [Map] section says it was, showing the
// view kept there when that shows the survey, otherwise the whole survey.
class MapForm : public QWidget {
    Q_OBJECT

public:
    MapForm(const MapSection& stored, const MapServices& services, QWidget* parent = nullptr);
    ~MapForm() override;

    void showScene(std::shared_ptr<const MapScene> scene);
    // The window's place and size and its view, for the [Map] section.
    MapSection section() const;

    MapCanvas* canvas() const { return m_canvas; }
    TileSource* tiles() const { return m_tiles; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void placeAttribution();

    MapSection m_stored;
    TileSource* m_tiles;
    MapCanvas* m_canvas;
    QLabel* m_attribution;
};

// How Wavemark names itself to tile servers.
QByteArray TileUserAgent();

} // namespace wavemark
