#include "util/path.h"

#include "util/text_convert.h"

#include <unicode/uchar.h>
#include <unicode/ustring.h>

namespace tb {

namespace {

using View = std::u16string_view;
constexpr size_t npos = View::npos;

bool isSep(char16_t c, PathStyle style) {
    return c == Separator(style);
}

size_t maxLength(PathStyle style) {
    return style == PathStyle::Windows ? kMaxWindowsPath : kMaxPosixPath;
}

bool hasDrive(View path, PathStyle style) {
    return style == PathStyle::Windows && path.size() >= 2 && path[1] == u':';
}

bool isUnc(View path, PathStyle style) {
    return style == PathStyle::Windows && path.size() >= 2 && path[0] == u'\\' && path[1] == u'\\';
}

// Length of the root: "X:\" or "X:" (drive), "\\server\share\" (UNC), a single separator, or
// nothing for a relative path.
size_t rootLength(View path, PathStyle style) {
    if (hasDrive(path, style))
        return path.size() >= 3 && isSep(path[2], style) ? 3 : 2;
    if (isUnc(path, style)) {
        size_t server = path.find(u'\\', 2);
        if (server == npos)
            return path.size();
        size_t share = path.find(u'\\', server + 1);
        return share == npos ? path.size() : share + 1;
    }
    return !path.empty() && isSep(path[0], style) ? 1 : 0;
}

bool namesEqual(View a, View b, PathStyle style) {
    if (style == PathStyle::Posix)
        return a == b;
    // Windows file names compare without regard to case, beyond ASCII too.
    UErrorCode status = U_ZERO_ERROR;
    return a.size() == b.size() &&
           u_strCaseCompare(a.data(), static_cast<int32_t>(a.size()), b.data(),
                            static_cast<int32_t>(b.size()), U_FOLD_CASE_DEFAULT, &status) == 0 &&
           U_SUCCESS(status);
}

// A path taken apart with "." and ".." resolved lexically. ".." never climbs above a root;
// in a relative path it stays when there is nothing left to remove.
struct Canonical {
    View root;
    std::vector<View> names;
    bool trailingSeparator = false;
};

Canonical canonicalize(View path, PathStyle style) {
    Canonical result;
    const size_t rootLen = rootLength(path, style);
    result.root = path.substr(0, rootLen);
    size_t pos = rootLen;
    while (pos < path.size()) {
        size_t end = path.find(Separator(style), pos);
        if (end == npos)
            end = path.size();
        View name = path.substr(pos, end - pos);
        if (name == u"..") {
            if (!result.names.empty() && result.names.back() != u"..")
                result.names.pop_back();
            else if (result.root.empty())
                result.names.push_back(name);
        } else if (!name.empty() && name != u".") {
            result.names.push_back(name);
        }
        pos = end + 1;
    }
    result.trailingSeparator =
        path.size() > rootLen && isSep(path.back(), style) && !result.names.empty();
    return result;
}

WideText join(const Canonical& c, PathStyle style) {
    const char16_t sep = Separator(style);
    WideText out(c.root);
    // A bare drive ("E:") is drive-relative: its names follow without a separator.
    const bool bareDrive = c.root.size() == 2 && hasDrive(c.root, style);
    if (!out.empty() && !isSep(out.back(), style) && !bareDrive && !c.names.empty())
        out.push_back(sep);
    for (size_t i = 0; i < c.names.size(); ++i) {
        if (i > 0)
            out.push_back(sep);
        out.append(c.names[i]);
    }
    if (c.trailingSeparator)
        out.push_back(sep);
    if (out.empty())
        out = u".";
    return out;
}

std::optional<WideText> limited(WideText path, PathStyle style) {
    if (path.size() > maxLength(style))
        return std::nullopt;
    return path;
}

} // namespace

char16_t Separator(PathStyle style) {
    return style == PathStyle::Windows ? u'\\' : u'/';
}

PathParts splitPath(std::u16string_view path, PathStyle style) {
    PathParts parts;
    size_t start = 0;
    if (hasDrive(path, style)) {
        parts.drive = path[0];
        start = 2;
    }
    const size_t lastSep = path.find_last_of(Separator(style));
    if (lastSep == npos || lastSep < start) {
        // No separator: the name is all after the drive, unless it is nothing but an
        // extension (".sis").
        View name = path.substr(start);
        size_t dot = name.rfind(u'.');
        parts.extension = dot == npos ? View() : name.substr(dot);
        parts.fileName = dot == 0 ? View() : name;
        return parts;
    }
    parts.fileName = path.substr(lastSep + 1);
    parts.directory = path.substr(start, lastSep - start);
    size_t dot = parts.fileName.rfind(u'.');
    if (dot != npos)
        parts.extension = parts.fileName.substr(dot);
    return parts;
}

std::optional<WideText> combinePath(std::u16string_view folder, std::u16string_view relative,
                                    PathStyle style) {
    const bool absolute = style == PathStyle::Windows
                              ? hasDrive(relative, style) || isUnc(relative, style)
                              : !relative.empty() && isSep(relative[0], style);
    if (absolute)
        return limited(WideText(relative), style);

    WideText joined;
    if (!relative.empty() && isSep(relative[0], style)) {
        // Rooted without a drive: the root of folder's drive (or share).
        const size_t rootLen = rootLength(folder, style);
        joined.assign(folder.substr(0, rootLen));
        if (!joined.empty() && isSep(joined.back(), style))
            joined.pop_back();
        joined.append(relative);
    } else {
        joined.assign(folder);
        if (!joined.empty() && !isSep(joined.back(), style) && !relative.empty())
            joined.push_back(Separator(style));
        joined.append(relative);
    }
    return limited(join(canonicalize(joined, style), style), style);
}

std::optional<WideText> relativePath(std::u16string_view fromFolder, std::u16string_view toFile,
                                     PathStyle style) {
    const Canonical from = canonicalize(fromFolder, style);
    const Canonical to = canonicalize(toFile, style);
    if (!namesEqual(from.root, to.root, style))
        return std::nullopt;

    size_t common = 0;
    while (common < from.names.size() && common < to.names.size() &&
           namesEqual(from.names[common], to.names[common], style))
        ++common;

    const char16_t sep = Separator(style);
    WideText out;
    if (common == from.names.size()) {
        out = u".";
    } else {
        for (size_t i = common; i < from.names.size(); ++i) {
            if (!out.empty())
                out.push_back(sep);
            out.append(u"..");
        }
    }
    for (size_t i = common; i < to.names.size(); ++i) {
        out.push_back(sep);
        out.append(to.names[i]);
    }
    if (to.trailingSeparator && common < to.names.size())
        out.push_back(sep);
    return limited(std::move(out), style);
}

std::string toHostPath(std::u16string_view path) {
    return wideToUtf8(path);
}

WideText fromHostPath(std::string_view path) {
    return utf8ToWide(path);
}

} // namespace tb
