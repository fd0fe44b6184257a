#pragma once

#include <QImage>
#include <QString>

#include <optional>

namespace tb {

// A logo as the view shows it: the decoded image, or for a multi-bitmap file, which is not
// decoded, a drawn placeholder.
struct LogoPicture {
    QImage image;
    bool placeholder = false;
};

// The picture of the logo file at hostPath; none when it is not an image Qt can decode (BMP,
// JPEG, GIF, PNG, ...). A name ending in ".mbm", in any case, gives the placeholder unread.
std::optional<LogoPicture> LoadLogoPicture(const QString& hostPath);

// The placeholder shown for ".mbm" logos.
QImage MultiBitmapPlaceholder();

} // namespace tb
