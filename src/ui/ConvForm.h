#pragma once

#include "convert/Convert.h"
#include "maps/SaveCommand.h"
#include "settings/SettingsFile.h"
#include "ui/AboutForm.h"
#include "ui/ControlBuilder.h"
#include "ui/map/MapForm.h"

#include <QElapsedTimer>
#include <QPointer>
#include <QWidget>

#include <array>
#include <functional>
#include <memory>
#include <utility>

class QComboBox;

namespace wavemark {

class LineWidget;
class Shell;

// Check box settings: 0 cleared, 1 ticked, 2 greyed.
Qt::CheckState ToCheckState(int16_t state);
int16_t FromCheckState(Qt::CheckState state);

// What the main window takes from its surroundings, so that tests can hand
// it fakes: the common dialogs (made four times, once per use, with the
// window as their parent), the message boxes and the shell.
struct WindowServices {
    std::function<std::unique_ptr<CommonDialog>(QWidget* parent)> makeDialog;
    MessageBoxService* messages = nullptr;
    Shell* shell = nullptr;
};

// Where the window finds Wavemark.ini (see SettingsFilePath), and where the
// map keeps the tiles it fetched.
struct WindowFolders {
    std::string program;
    std::string userConfig;
    std::string tileCache;
};

// The main window. Start-up runs in the constructor: the lists are filled,
// the settings read from Wavemark.ini (or, at the first start, the file is
// created and the About window shown) and shown in the controls. Closing
// offers to save an unsaved conversion and writes every setting.
class ConvForm : public QWidget, public SaveWindow {
    Q_OBJECT

public:
    ConvForm(const WindowFolders& folders, WindowServices services);
    ~ConvForm() override;

    // SaveWindow
    MessageAnswer showMessage(const std::string& text, MessageButtons buttons, MessageIcon icon,
                              const std::string& title) override;
    void setStatusVisible(StatusNotice notice, bool visible) override;
    void setCounterLabel(Counter line, const std::string& text) override;
    void setWaitCursor(bool wait) override;
    void processEvents() override;
    bool paintDue() override;
    int16_t selectedCode(CodeList list) override;
    Settings& settings() override { return m_settings; }
    CommonDialog& saveDialog() override { return *CommonDialog1; }

    // The four dialogs, kept for the life of the window.
    CommonDialog& openDialog() { return *dlgOpenFile; }
    CommonDialog& fontDialog() { return *FontDialog; }
    CommonDialog& colorDialog() { return *ColorDialog; }

    const std::string& gtmFilePath() const { return GtmFilePath; }
    const ConversionData& conversionData() const { return m_state.data; }
    const std::string& settingsFilePath() const { return m_settingsFile.path(); }
    AboutForm* aboutForm() const { return m_about; }
    MapForm* mapForm() const { return m_map; }

    void showAbout();
    // Opens the map window, or brings it to the front; it then follows every conversion.
    void showMap();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    // ConvForm.cpp: the actions and the status line.
    void connectHandlers();
    void runConvert();
    void runSave();
    void setBusy(bool busy);
    void openSavedFile();
    void openAddress(const char* address);
    void flushCounters();

    // ConvFormStartUp.cpp
    void fillLists();
    void startUp();
    void showSettings();
    void takeListSelections();
    void unload();

    // ConvFormInputs.cpp
    void LoadFile_Click(int index);
    void showInputPaths();

    // ConvFormAppearance.cpp
    void SelectFont_Click();
    void SelectBackground_Click();
    void chooseTrackColor(int32_t& color, LineWidget* preview);
    void CB_Line_Click(QComboBox* list, int16_t& lineStyle, int32_t color, LineWidget* preview);
    void showFontPreviews();
    void showBackgroundPreview();
    void showLinePreview(LineWidget* preview, int16_t lineStyle, int32_t color);

    QComboBox* list(CodeList which) const;

    // The check boxes and the settings they show and change, in the order
    // start-up shows them.
    static constexpr std::pair<const char*, int16_t Settings::*> kCheckBoxes[] = {
        {"TConvertEnabled", &Settings::TConvertEnabled},
        {"NoWEPCheck", &Settings::NoWEPCheck},
        {"TChangeColors", &Settings::TChangeColors},
    };

    Controls m_controls;
    WindowServices m_services;
    std::unique_ptr<CommonDialog> dlgOpenFile;
    std::unique_ptr<CommonDialog> CommonDialog1;
    std::unique_ptr<CommonDialog> FontDialog;
    std::unique_ptr<CommonDialog> ColorDialog;
    QPointer<AboutForm> m_about;
    QPointer<MapForm> m_map;
    std::string m_tileCache;

    SettingsFile m_settingsFile;
    Settings m_settings;
    ConverterState m_state;
    std::string GtmFilePath;

    // Counter texts wait here until the window next paints.
    std::array<std::string, kCounterCount> m_counterTexts;
    bool m_countersChanged = false;
    QElapsedTimer m_sinceEvents;
    bool m_busy = false;
    bool m_closePending = false;
    bool m_unloaded = false;
};

} // namespace wavemark
