#include "ui/map/MapSearchField.h"

#include "mapview/MarkerSearch.h"
#include "ui/map/MapCanvas.h"

#include <QAbstractItemView>
#include <QCompleter>
#include <QStringListModel>

namespace wavemark {
namespace {

// More would not fit the list without scrolling; typing on narrows it.
constexpr size_t kMostMatches = 12;

QString entryOf(const SceneMarker& marker) {
    return QStringLiteral("%1 (%2)").arg(QString::fromStdString(marker.network),
                                         QString::fromStdString(marker.bssid));
}

} // namespace

MapSearchField::MapSearchField(const MapCanvas& canvas, QWidget* parent)
    : QLineEdit(parent), m_canvas(canvas), m_model(new QStringListModel(this)),
      m_completer(new QCompleter(m_model, this)) {
    setPlaceholderText(QStringLiteral("Find a network or BSSID"));
    setClearButtonEnabled(true);
    // The list shows what MarkersMatching found; the completer filters nothing itself.
    m_completer->setCompletionMode(QCompleter::UnfilteredPopupCompletion);
    m_completer->setMaxVisibleItems(static_cast<int>(kMostMatches));
    setCompleter(m_completer);
    connect(this, &QLineEdit::textEdited, this, &MapSearchField::listMatches);
    connect(m_completer, qOverload<const QString&>(&QCompleter::activated), this,
            &MapSearchField::pick);
    connect(this, &QLineEdit::returnPressed, this, [this] { pick(text()); });
}

QStringList MapSearchField::matches() const {
    return m_model->stringList();
}

void MapSearchField::clearMatches() {
    m_matches.clear();
    m_model->setStringList({});
}

void MapSearchField::findMatches(const QString& text) {
    const MapScene& scene = m_canvas.scene();
    m_matches = MarkersMatching(scene, text.trimmed().toStdString(), kMostMatches);
    QStringList entries;
    for (const uint32_t marker : m_matches) {
        entries.push_back(entryOf(scene.markers[marker]));
    }
    m_model->setStringList(entries);
}

void MapSearchField::listMatches(const QString& text) {
    findMatches(text);
    if (m_matches.empty()) {
        m_completer->popup()->hide();
    } else {
        m_completer->complete();
    }
}

// The text is a listed entry once one was chosen; any other text is
// searched for afresh, as it may have been put there without typing.
void MapSearchField::pick(const QString& text) {
    m_completer->popup()->hide();
    qsizetype row = m_model->stringList().indexOf(text);
    if (row < 0) {
        findMatches(text);
        row = 0;
    }
    if (!m_matches.empty()) {
        emit picked(m_matches[static_cast<size_t>(row)]);
    }
}

} // namespace wavemark
