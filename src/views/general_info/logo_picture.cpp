#include "views/general_info/logo_picture.h"

#include <QImageReader>
#include <QPainter>

namespace tb {

std::optional<LogoPicture> LoadLogoPicture(const QString& hostPath) {
    if (hostPath.endsWith(QStringLiteral(".mbm"), Qt::CaseInsensitive))
        return LogoPicture{MultiBitmapPlaceholder(), true};
    QImageReader reader(hostPath);
    reader.setDecideFormatFromContent(true); // a misnamed file still shows what it is
    QImage image = reader.read();
    if (image.isNull())
        return std::nullopt;
    return LogoPicture{std::move(image), false};
}

// Three stacked frames, the front one marked "MBM"; drawn, so no picture ships with the
// program.
QImage MultiBitmapPlaceholder() {
    constexpr int kSize = 48;
    QImage image(kSize, kSize, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const QColor fills[] = {QColor(0xB0, 0xC4, 0xDE), QColor(0x87, 0xAE, 0xD8),
                            QColor(0x46, 0x82, 0xB4)};
    for (int i = 0; i < 3; ++i) {
        const QRectF frame(4 + 8 * i, 4 + 8 * i, 28, 28);
        painter.setPen(QPen(QColor(0x30, 0x30, 0x30), 1.5));
        painter.setBrush(fills[i]);
        painter.drawRoundedRect(frame, 3, 3);
    }
    painter.setPen(Qt::white);
    QFont font = painter.font();
    font.setPixelSize(9);
    font.setBold(true);
    painter.setFont(font);
    painter.drawText(QRectF(20, 20, 28, 28), Qt::AlignCenter, QStringLiteral("MBM"));
    return image;
}

} // namespace tb
