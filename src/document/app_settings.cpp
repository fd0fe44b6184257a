#include "document/app_settings.h"

#include "document/settings_file.h"
#include "util/numbers.h"
#include "util/path.h"

#include <climits>
#include <cstdlib>
#include <optional>
#include <pwd.h>
#include <unistd.h>

namespace tb {

namespace {

constexpr std::string_view kRoot = "";
constexpr std::string_view kRecentFiles = "RecentFiles";
constexpr const char* kRecentNames[RecentFileList::kCapacity] = {"File1", "File2", "File3", "File4",
                                                                 "File5"};
constexpr std::string_view kSettingsFolder = "/Orchardly/Tinderbridge/1.0/";
constexpr std::string_view kSettingsName = "settings.conf";

struct ColumnValue {
    const char* name;
    std::vector<uint32_t> AppSettings::*field;
};

constexpr ColumnValue kColumnValues[] = {
    {"FileViewColumns", &AppSettings::fileViewColumns},
    {"DependenciesViewColumns", &AppSettings::dependenciesViewColumns},
    {"PropertiesViewColumns", &AppSettings::propertiesViewColumns},
    {"LocalizationViewColumns", &AppSettings::localizationViewColumns},
};

std::string withoutTrailingSlashes(std::string path) {
    while (path.size() > 1 && path.back() == '/')
        path.pop_back();
    return path;
}

std::string executableFolder() {
    char buffer[PATH_MAX];
    const ssize_t length = ::readlink("/proc/self/exe", buffer, sizeof buffer);
    if (length <= 0 || static_cast<size_t>(length) >= sizeof buffer)
        return {};
    std::string path(buffer, static_cast<size_t>(length));
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash == 0 ? 1 : slash);
}

bool flag(const SettingsFile& file, std::string_view name, bool fallback) {
    const auto value = file.dword(kRoot, name);
    return value ? *value != 0 : fallback;
}

} // namespace

std::string UserHomeFolder() {
    if (const char* home = std::getenv("HOME"); home && *home)
        return withoutTrailingSlashes(home);
    long size = ::sysconf(_SC_GETPW_R_SIZE_MAX);
    std::vector<char> buffer(size > 0 ? static_cast<size_t>(size) : 16384);
    passwd entry{};
    passwd* found = nullptr;
    if (::getpwuid_r(::getuid(), &entry, buffer.data(), buffer.size(), &found) == 0 && found &&
        found->pw_dir && *found->pw_dir)
        return withoutTrailingSlashes(found->pw_dir);
    return "/";
}

SettingsPaths DefaultSettingsPaths() {
    // A relative XDG_CONFIG_HOME is invalid and ignored.
    const char* config = std::getenv("XDG_CONFIG_HOME");
    const std::string configHome = config && config[0] == '/'
                                       ? withoutTrailingSlashes(config)
                                       : withoutTrailingSlashes(UserHomeFolder() + "/.config");
    SettingsPaths paths;
    paths.userFile = configHome + std::string(kSettingsFolder) + std::string(kSettingsName);
    paths.machineFile = "/etc/xdg" + std::string(kSettingsFolder) + std::string(kSettingsName);
    paths.exeDir = executableFolder();
    return paths;
}

std::vector<uint32_t> ParseColumnList(std::u16string_view text) {
    std::vector<uint32_t> widths;
    for (;;) {
        const size_t comma = text.find(u',');
        const std::u16string_view piece = text.substr(0, comma);
        uint32_t width = 0;
        const bool parsed = piece.starts_with(u"0x") ? parseUnsigned(piece.substr(2), 16, width)
                                                     : parseUnsigned(piece, 10, width);
        if (!parsed)
            return {};
        widths.push_back(width);
        if (comma == std::u16string_view::npos)
            return widths;
        text.remove_prefix(comma + 1);
    }
}

WideText FormatColumnList(const std::vector<uint32_t>& widths) {
    WideText text;
    for (uint32_t width : widths) {
        if (!text.empty())
            text += u',';
        text += numberToText(width, 10);
    }
    return text;
}

AppSettings::AppSettings(const SettingsPaths& paths)
    : AppSettings(paths.userFile, paths.machineFile, paths.exeDir) {}

AppSettings::AppSettings(std::string userFile, std::string machineFile, std::string exeDir)
    : userFile_(std::move(userFile)), machineFile_(std::move(machineFile)),
      exeDir_(std::move(exeDir)) {
    lastPackageLocation = fromHostPath(UserHomeFolder());
    load();
}

void AppSettings::load() {
    // The installation folder does not depend on the user's file being readable.
    SettingsFile machine;
    machine.load(machineFile_);
    const auto stored = machine.string(kRoot, "InstallDir");
    installDir = stored && !stored->empty() ? *stored : fromHostPath(exeDir_);

    SettingsFile file;
    if (file.load(userFile_) != err::kOk)
        return;

    const auto x = file.dword(kRoot, "Window X");
    const auto y = file.dword(kRoot, "Window Y");
    const auto width = file.dword(kRoot, "Window Width");
    const auto height = file.dword(kRoot, "Window Height");
    if (x && y && width && height) {
        windowX = static_cast<int32_t>(*x);
        windowY = static_cast<int32_t>(*y);
        windowWidth = static_cast<int32_t>(*width);
        windowHeight = static_cast<int32_t>(*height);
    } else {
        windowX = 0;
        windowY = 0;
        windowWidth = 1024;
        windowHeight = 768;
    }
    windowMaximized = flag(file, "Window State", false);
    outputPaneVisible = flag(file, "OutputView", true);
    toolBarVisible = flag(file, "ToolBar", true);
    statusBarVisible = flag(file, "StatusBar", true);
    showBuildCompleteDialog = flag(file, "BuildCompleteDialog", true);
    dividerPosition = static_cast<int32_t>(file.dword(kRoot, "Divider").value_or(390));
    if (auto location = file.string(kRoot, "LastPackageLocation"))
        lastPackageLocation = std::move(*location);
    lastPackageTarget = file.dword(kRoot, "LastPackageTarget").value_or(0);
    if (lastPackageTarget >= 10)
        lastPackageTarget = 0;
    defaultLanguage = file.dword(kRoot, "DefaultLanguage").value_or(1);
    if (defaultLanguage >= 99)
        defaultLanguage = 1;
    startupAction = file.dword(kRoot, "StartupAction").value_or(1);
    logoSettingsVisible = flag(file, "LogoSettingsVisible", false);
    for (const ColumnValue& column : kColumnValues) {
        const auto text = file.string(kRoot, column.name);
        this->*column.field = text ? ParseColumnList(*text) : std::vector<uint32_t>();
    }
    showLanguageChangesConfirmation = flag(file, "ShowLanguageChangesConfirmation", true);

    recentFiles.clear();
    for (const char* name : kRecentNames) {
        const auto text = file.string(kRecentFiles, name);
        if (!text || text->empty())
            continue;
        if (auto entry = ParseRecentFileEntry(*text))
            recentFiles.push_back(std::move(*entry));
    }
}

bool AppSettings::save() const {
    // Other values in the file are kept, as under a registry key; an unreadable file is left
    // alone rather than replaced by what little this run knows.
    SettingsFile file;
    if (file.load(userFile_) != err::kOk)
        return false;

    file.setDword(kRoot, "Window X", static_cast<uint32_t>(windowX));
    file.setDword(kRoot, "Window Y", static_cast<uint32_t>(windowY));
    file.setDword(kRoot, "Window Width", static_cast<uint32_t>(windowWidth));
    file.setDword(kRoot, "Window Height", static_cast<uint32_t>(windowHeight));
    file.setDword(kRoot, "Window State", windowMaximized ? 1 : 0);
    file.setDword(kRoot, "OutputView", outputPaneVisible ? 1 : 0);
    file.setDword(kRoot, "ToolBar", toolBarVisible ? 1 : 0);
    file.setDword(kRoot, "StatusBar", statusBarVisible ? 1 : 0);
    file.setDword(kRoot, "BuildCompleteDialog", showBuildCompleteDialog ? 1 : 0);
    file.setDword(kRoot, "Divider", static_cast<uint32_t>(dividerPosition));
    file.setString(kRoot, "LastPackageLocation", lastPackageLocation);
    file.setDword(kRoot, "LastPackageTarget", lastPackageTarget);
    file.setDword(kRoot, "DefaultLanguage", defaultLanguage);
    file.setDword(kRoot, "StartupAction", startupAction);
    file.setDword(kRoot, "LogoSettingsVisible", logoSettingsVisible ? 1 : 0);
    for (const ColumnValue& column : kColumnValues)
        if (!(this->*column.field).empty())
            file.setString(kRoot, column.name, FormatColumnList(this->*column.field));
    file.setDword(kRoot, "ShowLanguageChangesConfirmation",
                  showLanguageChangesConfirmation ? 1 : 0);

    size_t written = 0;
    for (const RecentFileEntry& entry : recentFiles) {
        if (written == RecentFileList::kCapacity)
            break;
        if (IsStorableRecentFileEntry(entry))
            file.setString(kRecentFiles, kRecentNames[written++], FormatRecentFileEntry(entry));
    }
    for (; written < RecentFileList::kCapacity; ++written)
        file.setString(kRecentFiles, kRecentNames[written], u"");

    return file.save(userFile_) == err::kOk;
}

} // namespace tb
