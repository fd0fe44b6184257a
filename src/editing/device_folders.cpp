#include "editing/device_folders.h"

#include "util/format.h"
#include "util/text_convert.h"

#include <algorithm>

namespace tb {

namespace {

constexpr std::array<std::u16string_view, 11> kBinaries = {u".exe", u".dll",     u".ctl",   u".app",
                                                           u".mdl", u".csy",     u".ldd",   u".pdd",
                                                           u".prt", u".ecomiic", u".plugin"};
constexpr std::array<std::u16string_view, 3> kResources = {u".rsc", u".mbm", u".mif"};
constexpr std::array<std::u16string_view, 1> kHelp = {u".hlp"};

template <size_t N>
bool isIn(std::u16string_view extension, const std::array<std::u16string_view, N>& list) {
    return std::find(list.begin(), list.end(), extension) != list.end();
}

// From the last dot, the dot included; none when the dot opens the name or there is none.
std::optional<std::u16string_view> extensionOf(std::u16string_view fileName) {
    const size_t dot = fileName.rfind(u'.');
    if (dot == std::u16string_view::npos || dot == 0)
        return std::nullopt;
    return fileName.substr(dot);
}

} // namespace

WideText PrivateFolderPath(uint32_t packageUid) {
    return format(u"\\private\\%x", {packageUid});
}

WideText DeviceFolderPath(DeviceFolder folder, uint32_t packageUid) {
    switch (folder) {
    case DeviceFolder::Binaries:
        return u"\\sys\\bin";
    case DeviceFolder::Registration:
        return u"\\private\\10003a3f\\import\\apps";
    case DeviceFolder::Resources:
        return u"\\resource\\apps";
    case DeviceFolder::Plugins:
        return u"\\resource\\plugins";
    case DeviceFolder::Private:
        return PrivateFolderPath(packageUid);
    case DeviceFolder::Help:
        return u"\\resource\\help";
    }
    return {};
}

uint32_t DeviceFolderBit(DeviceFolder folder) {
    switch (folder) {
    case DeviceFolder::Binaries:
        return kCategoryBinaries;
    case DeviceFolder::Registration:
        return kCategoryRegistration;
    case DeviceFolder::Resources:
        return kCategoryResources;
    case DeviceFolder::Plugins:
        return kCategoryPlugins;
    case DeviceFolder::Private:
        return kCategoryPrivate;
    case DeviceFolder::Help:
        return kCategoryHelp;
    }
    return 0;
}

std::u16string_view DeviceFolderLabel(DeviceFolder folder) {
    switch (folder) {
    case DeviceFolder::Binaries:
        return u"[Binaries]";
    case DeviceFolder::Registration:
        return u"[Registration]";
    case DeviceFolder::Resources:
        return u"[Resources]";
    case DeviceFolder::Plugins:
        return u"[ECOM-Plugins]";
    case DeviceFolder::Private:
        return u"[Private]";
    case DeviceFolder::Help:
        return u"[Help]";
    }
    return {};
}

std::u16string_view DeviceFolderNodeName(DeviceFolder folder) {
    return folder == DeviceFolder::Plugins ? u"[ECOM Plugins]" : DeviceFolderLabel(folder);
}

std::u16string_view DeviceFileName(std::u16string_view path) {
    const size_t separator = path.find_last_of(u"\\/");
    return separator == std::u16string_view::npos ? path : path.substr(separator + 1);
}

DeviceFolder DefaultFolderFor(std::u16string_view fileName) {
    fileName = DeviceFileName(fileName);
    const std::optional<std::u16string_view> extension = extensionOf(fileName);
    if (!extension)
        return DeviceFolder::Private;
    if (*extension == u".rsc")
        return fileName.ends_with(u"_reg.rsc") ? DeviceFolder::Registration
                                               : DeviceFolder::Resources;
    if (isIn(*extension, kBinaries))
        return DeviceFolder::Binaries;
    if (isIn(*extension, kResources))
        return DeviceFolder::Resources;
    if (isIn(*extension, kHelp))
        return DeviceFolder::Help;
    return DeviceFolder::Private;
}

WideText DefaultTargetPath(std::u16string_view sourcePath, uint32_t packageUid) {
    const std::u16string_view name = DeviceFileName(sourcePath);
    return DeviceFolderPath(DefaultFolderFor(name), packageUid) + u'\\' + WideText(name);
}

std::optional<uint32_t> CategoryMask(std::u16string_view fileName) {
    const std::optional<std::u16string_view> extension = extensionOf(DeviceFileName(fileName));
    if (!extension)
        return std::nullopt;
    if (isIn(*extension, kBinaries))
        return kCategoryBinaries;
    uint32_t mask = 0;
    if (*extension == u".rsc")
        mask |= kCategoryRegistration | kCategoryResources | kCategoryPlugins | kCategoryPrivate;
    if (*extension == u".mbm")
        mask |= kCategoryResources | kCategoryPrivate;
    if (*extension == u".mif")
        mask |= kCategoryResources;
    if (isIn(*extension, kHelp))
        mask |= kCategoryHelp;
    return mask ? mask : uint32_t(kCategoryPrivate);
}

bool IsInDeviceFolder(std::u16string_view path, std::u16string_view folder) {
    if (path.size() < folder.size() ||
        !equalsIgnoreAsciiCase(path.substr(0, folder.size()), folder))
        return false;
    return path.size() == folder.size() || path[folder.size()] == u'\\';
}

std::optional<DeviceFolder> FolderOfTarget(std::u16string_view target, uint32_t packageUid) {
    for (DeviceFolder folder : kDeviceFolders)
        if (IsInDeviceFolder(target, DeviceFolderPath(folder, packageUid)))
            return folder;
    return std::nullopt;
}

std::optional<WideText> TargetDisplayForm(std::u16string_view target, uint32_t packageUid) {
    const std::optional<DeviceFolder> folder = FolderOfTarget(target, packageUid);
    if (!folder)
        return std::nullopt;
    WideText form(DeviceFolderLabel(*folder));
    if (*folder == DeviceFolder::Private) {
        // The sub-folders below the UID folder, without the file name.
        const std::u16string_view below = target.substr(PrivateFolderPath(packageUid).size());
        const size_t lastSeparator = below.rfind(u'\\');
        if (lastSeparator != std::u16string_view::npos && lastSeparator > 0)
            form += below.substr(0, lastSeparator);
    }
    return form;
}

} // namespace tb
