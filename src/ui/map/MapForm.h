#pragma once

#include "convert/WindowInterfaces.h"
#include "mapview/MapScene.h"
#include "settings/MapSection.h"

#include <QString>
#include <QWidget>

#include <functional>
#include <memory>

class QCheckBox;
class QLabel;

namespace wavemark {

class MapCanvas;
class MapSearchField;
class Shell;
class TileSource;

inline constexpr const char* kMapFormTitle = "Wavemark - Map";
inline constexpr const char* kTileCopyrightPage = "https://www.openstreetmap.org/copyright";

// What the map window takes from its surroundings: the shell, the save
// dialog of "Save picture..." (made once, with the map window as its
// parent) and the message boxes that report a picture not written.
struct MapServices {
    Shell* shell = nullptr;
    QString tileCache; // folder of the tiles' disk cache
    std::function<std::unique_ptr<CommonDialog>(QWidget* parent)> makeDialog;
    MessageBoxService* messages = nullptr;
};

// The map window: the last conversion on a map, beside the main window and
// not modal. It opens where the [Map] section says it was, showing the
// view kept there when that shows the survey, otherwise the whole survey.
// Above the map: the search field, the legend's check box and "Save
// picture...", which writes the map as it is shown as a PNG file.
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
    CommonDialog& pictureDialog() const { return *m_pictureDialog; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    QWidget* makeToolBar();
    void placeAttribution();
    void savePicture();

    MapSection m_stored;
    MessageBoxService* m_messages;
    std::unique_ptr<CommonDialog> m_pictureDialog;
    TileSource* m_tiles;
    MapCanvas* m_canvas;
    QLabel* m_attribution;
    MapSearchField* m_search;
    QCheckBox* m_legend;
};

// How Wavemark names itself to tile servers.
QByteArray TileUserAgent();

} // namespace wavemark
