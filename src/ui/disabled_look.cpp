#include "ui/disabled_look.h"

#include <QImage>
#include <QPixmap>

#include <cmath>

namespace tb::ui {

namespace {

// Menu, tool bar and view bar sizes.
constexpr int kIconSizes[] = {16, 22, 24, 32};
constexpr double kDisabledOpacity = 0.35;
// Share of the enabled text in the disabled text colour.
constexpr double kDisabledTextWeight = 0.55;

QPixmap disabledPixmap(const QPixmap& normal) {
    QImage image = normal.toImage().convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const int grey = qGray(line[x]);
            line[x] = qRgba(grey, grey, grey, int(std::lround(qAlpha(line[x]) * kDisabledOpacity)));
        }
    }
    QPixmap pixmap = QPixmap::fromImage(image);
    pixmap.setDevicePixelRatio(normal.devicePixelRatio());
    return pixmap;
}

} // namespace

QIcon WithDisabledLook(const QIcon& icon) {
    QIcon result;
    for (int size : kIconSizes) {
        const QPixmap normal = icon.pixmap(size, QIcon::Normal);
        if (normal.isNull())
            continue;
        result.addPixmap(normal, QIcon::Normal);
        result.addPixmap(disabledPixmap(normal), QIcon::Disabled);
    }
    return result.isNull() ? icon : result;
}

QColor DisabledTextColor(const QColor& text, const QColor& background) {
    auto mix = [](double a, double b) {
        return a * kDisabledTextWeight + b * (1 - kDisabledTextWeight);
    };
    return QColor::fromRgbF(float(mix(text.redF(), background.redF())),
                            float(mix(text.greenF(), background.greenF())),
                            float(mix(text.blueF(), background.blueF())));
}

} // namespace tb::ui
