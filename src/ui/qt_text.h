#pragma once

#include <QString>

#include <string>
#include <string_view>

// The program's UTF-16 text meets Qt only here, at the edge of the user interface.
namespace tb::ui {

inline QString ToQString(std::u16string_view text) {
    return QString::fromUtf16(text.data(), qsizetype(text.size()));
}

inline std::u16string ToWide(const QString& text) {
    return std::u16string(reinterpret_cast<const char16_t*>(text.utf16()), size_t(text.size()));
}

inline QString HostPathToQString(const std::string& path) { return QString::fromStdString(path); }
inline std::string ToHostPath(const QString& path) { return path.toStdString(); }

} // namespace tb::ui
