#include "buildengine/path_macros.h"

#include "util/text_convert.h"

#include <algorithm>
#include <array>
#include <utility>

namespace tb {

namespace {

constexpr std::u16string_view kReleaseFolder = u"\\epoc32\\release\\";

// Platform and target folder names recognised in macro form, lower case before upper case.
constexpr std::array<std::u16string_view, 6> kPlatformFolders = {u"armv5", u"gcce", u"winscw",
                                                                 u"ARMV5", u"GCCE", u"WINSCW"};
constexpr std::array<std::u16string_view, 4> kTargetFolders = {u"urel", u"udeb", u"UREL", u"UDEB"};

WideText withSeparators(std::u16string_view path, char16_t from, char16_t to) {
    WideText result(path);
    std::replace(result.begin(), result.end(), from, to);
    return result;
}

void replaceFirst(WideText& text, std::u16string_view what, std::u16string_view with) {
    size_t at = text.find(what);
    if (at != WideText::npos)
        text.replace(at, what.size(), with);
}

// Generated package files put the platform and target macros under absolute SDK paths too.
WideText replacePlatformMacros(WideText path, BuildPlatform platform, BuildTarget target) {
    for (const auto& [macro, name] : {std::pair{kPlatformMacro, BuildPlatformName(platform)},
                                      std::pair{kTargetMacro, BuildTargetName(target)}}) {
        for (size_t at = path.find(macro); at != WideText::npos;
             at = path.find(macro, at + name.size()))
            path.replace(at, macro.size(), name);
    }
    return path;
}

bool isWindowsDrivePath(std::u16string_view path) {
    return path.size() >= 3 && path[1] == u':' && path[2] == u'\\';
}

// The segment of rest that starts at start and ends at the next backslash; a last segment (the
// file name) never counts as a folder.
std::optional<std::u16string_view> folderAt(std::u16string_view rest, size_t start) {
    size_t end = rest.find(u'\\', start);
    if (end == std::u16string_view::npos)
        return std::nullopt;
    return rest.substr(start, end - start);
}

template <size_t N>
bool isOneOf(std::u16string_view segment, const std::array<std::u16string_view, N>& names) {
    return std::find(names.begin(), names.end(), segment) != names.end();
}

} // namespace

WideText ExpandSourcePath(std::u16string_view storedPath, std::u16string_view baseFolder,
                          const SdkInfo& sdk, BuildPlatform platform, BuildTarget target,
                          PathStyle style) {
    const char16_t separator = Separator(style);
    if (!storedPath.empty() && storedPath.front() == u'$') {
        WideText result;
        if (storedPath.starts_with(kEpocRootMacro))
            result = sdk.epocRoot;
        // The macros and the epoc32 folder are only looked for after the root, whose own
        // folder names are kept as they are.
        WideText rest =
            withSeparators(storedPath.substr(std::min(kEpocRootMacro.size(), storedPath.size())),
                           u'\\', separator);
        if (rest.empty() || rest.front() != separator)
            rest.insert(rest.begin(), separator);
        replaceFirst(rest, u"Epoc32", u"epoc32");
        return result + replacePlatformMacros(std::move(rest), platform, target);
    }
    if (isWindowsDrivePath(storedPath))
        return replacePlatformMacros(WideText(storedPath), platform, target);
    std::optional<WideText> combined =
        style == PathStyle::Windows
            ? combinePath(baseFolder, storedPath, style)
            : combinePath(baseFolder, withSeparators(storedPath, u'\\', separator), style);
    return replacePlatformMacros(combined ? std::move(*combined) : WideText(storedPath), platform,
                                 target);
}

std::optional<WideText> MacroizeSdkPath(std::u16string_view path, const SdkList& sdks,
                                        PathStyle style) {
    const char16_t separator = Separator(style);
    for (const SdkInfo& sdk : sdks) {
        const std::u16string_view root = sdk.epocRoot;
        // An empty root would claim every path.
        if (root.empty() || !path.starts_with(root))
            continue;
        if (path.size() > root.size() && path[root.size()] != separator)
            continue;

        const WideText rest = withSeparators(path.substr(root.size()), separator, u'\\');
        WideText result(kEpocRootMacro);
        if (rest.size() < kReleaseFolder.size() ||
            !equalsIgnoreAsciiCase(std::u16string_view(rest).substr(0, kReleaseFolder.size()),
                                   kReleaseFolder))
            return result + rest;

        // Only the folder right after \epoc32\release\ and the one after it are replaced.
        size_t done = kReleaseFolder.size();
        result += rest.substr(0, done);
        if (auto folder = folderAt(rest, done)) {
            result += isOneOf(*folder, kPlatformFolders) ? kPlatformMacro : *folder;
            result += u'\\';
            done += folder->size() + 1;
            if (auto next = folderAt(rest, done)) {
                result += isOneOf(*next, kTargetFolders) ? kTargetMacro : *next;
                result += u'\\';
                done += next->size() + 1;
            }
        }
        return result + rest.substr(done);
    }
    return std::nullopt;
}

WideText MakeStoredPath(std::u16string_view absolutePath, std::u16string_view baseFolder,
                        const SdkList& sdks, PathStyle style) {
    if (std::optional<WideText> macro = MacroizeSdkPath(absolutePath, sdks, style))
        return std::move(*macro);
    bool sameRoot = false;
    if (style == PathStyle::Windows) {
        sameRoot = splitPath(absolutePath, style).drive == splitPath(baseFolder, style).drive;
    } else {
        sameRoot = absolutePath.starts_with(u'/') && baseFolder.starts_with(u'/');
    }
    if (sameRoot) {
        if (std::optional<WideText> relative = relativePath(baseFolder, absolutePath, style))
            return style == PathStyle::Windows ? std::move(*relative)
                                               : withSeparators(*relative, u'/', u'\\');
    }
    return WideText(absolutePath);
}

} // namespace tb
