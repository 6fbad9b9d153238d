#include "ui/ConvForm.h"

#include "maps/CodeTables.h"
#include "ui/LineWidget.h"
#include "ui/LocalText.h"
#include "ui/map/MapForm.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

namespace wavemark {
namespace {

// Each entry shows a name and carries its code as item data. Filling a
// list selects its first entry; at start-up no entry is selected yet.
void fill(QComboBox* list, std::span<const CodeRow> rows) {
    for (const CodeRow& row : rows) {
        list->addItem(FromUtf8(row.name), row.code);
    }
    list->setCurrentIndex(-1);
}

void select(QComboBox* list, std::optional<int> position) {
    list->setCurrentIndex(position.value_or(-1));
}

int16_t selectedData(const QComboBox* list) {
    return static_cast<int16_t>(list->currentData().toInt());
}

} // namespace

Qt::CheckState ToCheckState(int16_t state) {
    return state == 1 ? Qt::Checked : state == 2 ? Qt::PartiallyChecked : Qt::Unchecked;
}

int16_t FromCheckState(Qt::CheckState state) {
    return state == Qt::Checked ? 1 : state == Qt::PartiallyChecked ? 2 : 0;
}

void ConvForm::fillLists() {
    fill(list(CodeList::IconNoWEP), WaypointSymbols());
    fill(list(CodeList::IconWEP), WaypointSymbols());
    fill(list(CodeList::StyleNoWEP), WaypointDisplayStyles());
    fill(list(CodeList::StyleWEP), WaypointDisplayStyles());
    fill(m_controls.get<QComboBox>("CB_LineNoWEP"), TrackLineStyles());
    fill(m_controls.get<QComboBox>("CB_LineWEP"), TrackLineStyles());
}

void ConvForm::startUp() {
    fillLists();
    // The two line lists' handlers also run when start-up selects an entry.
    connect(m_controls.get<QComboBox>("CB_LineNoWEP"), &QComboBox::currentIndexChanged, this,
            [this] {
                CB_Line_Click(m_controls.get<QComboBox>("CB_LineNoWEP"), m_settings.TLineNoWep,
                              m_settings.TColorNoWep, m_controls.get<LineWidget>("TLineNoWepTest"));
            });
    connect(m_controls.get<QComboBox>("CB_LineWEP"), &QComboBox::currentIndexChanged, this, [this] {
        CB_Line_Click(m_controls.get<QComboBox>("CB_LineWEP"), m_settings.TLineWep,
                      m_settings.TColorWep, m_controls.get<LineWidget>("TLineWepTest"));
    });
    StartUpResult start = m_settingsFile.startUp();
    m_settings = std::move(start.settings);
    if (start.firstStart) {
        showAbout();
    }
    showSettings();
    m_state.data.DataSaved = true;
}

void ConvForm::showSettings() {
    for (const auto& [name, field] : kCheckBoxes) {
        m_controls.get<QCheckBox>(name)->setCheckState(ToCheckState(m_settings.*field));
    }
    showInputPaths();
    m_controls.get<QLineEdit>("TBAPFilter")->setText(FromLocal(m_settings.APFilter));
    select(list(CodeList::IconNoWEP), SymbolPosition(m_settings.IconNoWEP));
    select(list(CodeList::IconWEP), SymbolPosition(m_settings.IconWEP));
    select(list(CodeList::StyleNoWEP), DisplayStylePosition(m_settings.StyleNoWEP));
    select(list(CodeList::StyleWEP), DisplayStylePosition(m_settings.StyleWEP));
    select(m_controls.get<QComboBox>("CB_LineNoWEP"), LineStylePosition(m_settings.TLineNoWep));
    select(m_controls.get<QComboBox>("CB_LineWEP"), LineStylePosition(m_settings.TLineWep));
    showFontPreviews();
    showBackgroundPreview();
    showLinePreview(m_controls.get<LineWidget>("TLineNoWepTest"), m_settings.TLineNoWep,
                    m_settings.TColorNoWep);
    showLinePreview(m_controls.get<LineWidget>("TLineWepTest"), m_settings.TLineWep,
                    m_settings.TColorWep);
}

int16_t ConvForm::selectedCode(CodeList which) {
    return selectedData(list(which));
}

void ConvForm::takeListSelections() {
    m_settings.IconNoWEP = selectedData(list(CodeList::IconNoWEP));
    m_settings.IconWEP = selectedData(list(CodeList::IconWEP));
    m_settings.StyleNoWEP = selectedData(list(CodeList::StyleNoWEP));
    m_settings.StyleWEP = selectedData(list(CodeList::StyleWEP));
    m_settings.TLineNoWep = selectedData(m_controls.get<QComboBox>("CB_LineNoWEP"));
    m_settings.TLineWep = selectedData(m_controls.get<QComboBox>("CB_LineWEP"));
}

// The answer to the question and the outcome of the save do not stop the
// close: the settings are written either way. Settings that could not be
// written would be lost without a word, so that is said, and the close goes on.
void ConvForm::unload() {
    if (!m_state.data.DataSaved &&
        showMessage("The converted data is not saved ! Do you like to save the data before "
                    "closing the program ?",
                    MessageButtons::YesNo, MessageIcon::None,
                    kProgramTitle) == MessageAnswer::Yes) {
        runSave();
    }
    takeListSelections();
    bool written = m_settingsFile.shutDown(m_settings);
    if (m_map) {
        written = m_settingsFile.writeMap(m_map->section()) && written;
    }
    if (!written) {
        showMessage("The settings could not be saved:\r\n" + m_settingsFile.path() + "\r\n" +
                        m_settingsFile.lastError(),
                    MessageButtons::Ok, MessageIcon::Critical, kProgramTitle);
    }
}

} // namespace wavemark
