#pragma once

#include "document/recent_file_list.h"
#include "util/wide_text.h"

#include <cstdint>
#include <string>
#include <vector>

namespace tb {

// Where the settings live: the user's file, the machine-wide file that may name the
// installation folder, and the folder of the running program (the installation folder
// otherwise).
struct SettingsPaths {
    std::string userFile;
    std::string machineFile;
    std::string exeDir;
};

// $XDG_CONFIG_HOME (or ~/.config)/Orchardly/Tinderbridge/1.0/settings.conf,
// /etc/xdg/Orchardly/Tinderbridge/1.0/settings.conf and the folder of /proc/self/exe.
SettingsPaths DefaultSettingsPaths();
// $HOME, else the password database's home, else "/"; no trailing slash.
std::string UserHomeFolder();

// The user's preferences and window layout, loaded on construction and written only by save(),
// which the owner calls once at exit. A settings file that exists but cannot be read keeps the
// start values and is never overwritten. "C:\" defaults are the user's home folder here; the
// installation folder defaults to the program's own folder.
class AppSettings {
public:
    explicit AppSettings(const SettingsPaths& paths);
    AppSettings(std::string userFile, std::string machineFile, std::string exeDir);

    // Merges every value into the file as it stands now (values this program does not know,
    // and column lists left empty here, stay) and replaces it atomically. False when nothing
    // was written.
    bool save() const;

    int32_t windowX = 0;
    int32_t windowY = 0;
    int32_t windowWidth = 800;
    int32_t windowHeight = 600;
    WideText lastPackageLocation;
    WideText installDir;
    std::vector<RecentFileEntry> recentFiles;
    bool windowMaximized = false;
    bool outputPaneVisible = true;
    bool toolBarVisible = true;
    bool statusBarVisible = true;
    bool showBuildCompleteDialog = true;
    int32_t dividerPosition = 155;
    uint32_t lastPackageTarget = 0; // 0 to 9
    uint32_t defaultLanguage = 1;   // index into the language table, 0 to 98
    uint32_t startupAction = 0;     // 0 empty window, 1 Welcome page
    bool showLanguageChangesConfirmation = true;
    bool logoSettingsVisible = false;
    std::vector<uint32_t> fileViewColumns; // empty: the view's own widths
    std::vector<uint32_t> dependenciesViewColumns;
    std::vector<uint32_t> propertiesViewColumns;
    std::vector<uint32_t> localizationViewColumns;

private:
    void load();

    std::string userFile_;
    std::string machineFile_;
    std::string exeDir_;
};

// Comma-separated widths, each decimal or hexadecimal after "0x"; empty at the first bad one.
std::vector<uint32_t> ParseColumnList(std::u16string_view text);
WideText FormatColumnList(const std::vector<uint32_t>& widths);

} // namespace tb
