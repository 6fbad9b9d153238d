#include "settings/SettingsFile.h"

#include "platform/AtomicFile.h"
#include "settings/SettingsTable.h"

#include <filesystem>
#include <string_view>
#include <system_error>

namespace wavemark {
namespace {

constexpr std::string_view kFileName = "Wavemark.ini";

// A folder, or anything else of that name, counts as no settings file.
bool isOrdinaryFile(const std::string& path) {
    std::error_code error;
    return std::filesystem::is_regular_file(path, error);
}

// Permission bits say little (root, read-only mounts, ACLs), so try it: the
// temporary file is removed again when the probe goes away.
bool canCreateFileIn(const std::string& folder) {
    AtomicFile probe(PathInFolder(folder, kFileName));
    return probe.open();
}

} // namespace

std::string SettingsFilePath(const std::string& programFolder,
                             const std::string& userConfigFolder) {
    const std::string inProgramFolder = PathInFolder(programFolder, kFileName);
    if (isOrdinaryFile(inProgramFolder) || canCreateFileIn(programFolder)) {
        return inProgramFolder;
    }
    return PathInFolder(userConfigFolder, kFileName);
}

SettingsFile::SettingsFile(std::string programFolder, const std::string& userConfigFolder)
    : m_programFolder(std::move(programFolder)) {
    m_ini.Filename(SettingsFilePath(m_programFolder, userConfigFolder));
}

StartUpResult SettingsFile::startUp() {
    StartUpResult result{FirstStartSettings(m_programFolder), false};
    if (isOrdinaryFile(path())) {
        ReadAllSettings(m_ini, result.settings);
    } else {
        result.firstStart = true;
        writeAll(result.settings);
    }
    return result;
}

bool SettingsFile::shutDown(const Settings& settings) {
    return writeAll(settings);
}

bool SettingsFile::writeAll(const Settings& settings) {
    // The per-user folder may not exist yet; a failure shows in the writes.
    std::error_code ignored;
    std::filesystem::create_directories(std::filesystem::path(path()).parent_path(), ignored);
    return WriteAllSettings(m_ini, settings);
}

bool LoadSettingsFile(const std::string& path, Settings& settings, std::string& error) {
    CDS_CIni ini;
    ini.Filename(path);
    if (!ReadAllSettings(ini, settings)) {
        error = "The settings file could not be read:\n" + path + "\n" + ini.LastErrorDescription();
        return false;
    }
    return true;
}

} // namespace wavemark
