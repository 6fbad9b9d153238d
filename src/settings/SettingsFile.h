#pragma once

#include "convert/Settings.h"
#include "settings/CDS_CIni.h"
#include "settings/MapSection.h"

#include <string>

namespace wavemark {

// Where Wavemark.ini lives: in the program folder, unless it is not there and
// the program folder cannot be written (an installed program); then in the
// per-user configuration folder, so that settings are never silently lost.
std::string SettingsFilePath(const std::string& programFolder, const std::string& userConfigFolder);

struct StartUpResult {
    Settings settings;
    bool firstStart = false; // no settings file was found: show the About window
};

// The settings file across one run of the window: read (or created with the
// defaults) at start-up, written at shut-down. Failures to write are reported
// through the results and lastError() but never stop the program: the next
// start then simply finds no file again.
class SettingsFile {
public:
    SettingsFile(std::string programFolder, const std::string& userConfigFolder);

    const std::string& path() const { return m_ini.Filename(); }
    const std::string& lastError() const { return m_ini.LastErrorDescription(); }

    // A file that is there (an ordinary file) is read over the first-start
    // defaults; otherwise the defaults are written, which creates it.
    StartUpResult startUp();
    // Writes every key from the window's current values. False when a write
    // failed.
    [[nodiscard]] bool shutDown(const Settings& settings);

    // The map window's section, read when the map is first opened and
    // written at shut-down of a run that opened it.
    MapSection readMap() { return ReadMapSection(m_ini); }
    [[nodiscard]] bool writeMap(const MapSection& section) {
        return WriteMapSection(m_ini, section);
    }

private:
    bool writeAll(const Settings& settings);

    std::string m_programFolder;
    CDS_CIni m_ini;
};

// Reads an INI file in the Wavemark.ini format over `settings`, which the
// caller has filled (normally with FirstStartSettings): keys the file lacks,
// leaves empty or holds in a wrong form keep their value. When the file
// cannot be read, `settings` is left alone and `error` says which file and
// why.
bool LoadSettingsFile(const std::string& path, Settings& settings, std::string& error);

} // namespace wavemark
