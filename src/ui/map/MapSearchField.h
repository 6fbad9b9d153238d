#pragma once

#include <QLineEdit>
#include <QStringList>

#include <cstdint>
#include <vector>

class QCompleter;
class QStringListModel;

namespace wavemark {

class MapCanvas;

// The map's search field: typing part of a network name or BSSID lists
// the matching access points of the canvas's scene under it, letter case
// aside. Choosing one from the list, or Enter, picks it; Enter without a
// choice picks the first match of the text in the field.
class MapSearchField : public QLineEdit {
    Q_OBJECT

public:
    MapSearchField(const MapCanvas& canvas, QWidget* parent = nullptr);

    // The list under the field as it is now, one "network (BSSID)" a line.
    QStringList matches() const;
    QCompleter* list() const { return m_completer; }

    // Forgets the matches of a scene that is gone.
    void clearMatches();

signals:
    void picked(uint32_t marker);

private:
    void findMatches(const QString& text);
    void listMatches(const QString& text);
    void pick(const QString& text);

    const MapCanvas& m_canvas;
    QStringListModel* m_model;
    QCompleter* m_completer;
    std::vector<uint32_t> m_matches; // the markers the model's entries name, in step
};

} // namespace wavemark
