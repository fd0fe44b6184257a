#include "editing/folder_filters.h"

#include <array>

namespace tb {

namespace {

constexpr FileFilter kAllFiles{u"All Files (*.*)", u"*.*"};
constexpr FileFilter kResourceFiles{u"Resource Files (*.rsc*)", u"*.rsc*"};

constexpr std::array<FileFilter, 9> kBinaries = {{
    {u"Applications (*.exe; *.app)", u"*.exe;*.app"},
    {u"Dynamic Link Libraries (*.dll)", u"*.dll"},
    {u"Device Driver Files(*.ldd; *.pdd)", u"*.ldd;*.pdd"},
    {u"Protocol Modules (*.prt)", u"*.prt"},
    {u"ECOM Plugins (*.ecomiic; *.plugin)", u"*.ecomiic;*.plugin"},
    {u"CTL Files (*.ctl)", u"*.ctl"},
    {u"MDL Files (*.mdl)", u"*.mdl"},
    {u"CSY Files (*.csy)", u"*.csy"},
    kAllFiles,
}};
constexpr std::array<FileFilter, 2> kResourceFolder = {{kResourceFiles, kAllFiles}};
constexpr std::array<FileFilter, 1> kPrivate = {{kAllFiles}};
constexpr std::array<FileFilter, 4> kResources = {{
    kResourceFiles,
    {u"Symbian Multi-Bitmap Files (*.mbm*)", u"*.mbm*"},
    {u"SVG Icons (*.mif)", u"*.mif"},
    kAllFiles,
}};
constexpr std::array<FileFilter, 2> kHelp = {{{u"Help Files (*.hlp*)", u"*.hlp*"}, kAllFiles}};

} // namespace

std::span<const FileFilter> FolderFileFilters(std::optional<DeviceFolder> folder) {
    if (!folder)
        return {};
    switch (*folder) {
    case DeviceFolder::Binaries:
        return kBinaries;
    case DeviceFolder::Registration:
    case DeviceFolder::Plugins:
        return kResourceFolder;
    case DeviceFolder::Resources:
        return kResources;
    case DeviceFolder::Private:
        return kPrivate;
    case DeviceFolder::Help:
        return kHelp;
    }
    return {};
}

} // namespace tb
