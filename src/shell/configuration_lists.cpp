#include "shell/configuration_lists.h"

#include "ui/qt_text.h"

#include <QComboBox>
#include <QSignalBlocker>
#include <QStyle>
#include <QStyleOptionComboBox>

#include <algorithm>

namespace tb {

ConfigurationLists::ConfigurationLists(BuildConfiguration& configuration, QWidget* parent)
    : QObject(parent), configuration_(configuration), platform_(new QComboBox(parent)),
      target_(new QComboBox(parent)) {
    platform_->setObjectName(QStringLiteral("platformList"));
    target_->setObjectName(QStringLiteral("targetList"));
    // At least the usual widths, wider when the font needs it to show the longest entry.
    auto fitWidth = [](QComboBox* list, int width, auto text, int32_t count) {
        int widest = 0;
        for (int32_t i = 0; i < count; ++i)
            widest =
                std::max(widest, list->fontMetrics().horizontalAdvance(ui::ToQString(text(i))));
        QStyleOptionComboBox option;
        option.initFrom(list);
        const QSize needed = list->style()->sizeFromContents(
            QStyle::CT_ComboBox, &option, QSize(widest, list->fontMetrics().height()), list);
        list->setFixedWidth(std::max(width, needed.width()));
    };
    fitWidth(
        platform_, kPlatformWidth, [](int32_t i) { return BuildPlatformText(BuildPlatform(i)); },
        kBuildPlatformCount);
    fitWidth(
        target_, kTargetWidth, [](int32_t i) { return BuildTargetText(BuildTarget(i)); },
        kBuildTargetCount);
    connect(platform_, &QComboBox::activated, this,
            [this](int index) { configuration_.setPlatform(BuildPlatform(index)); });
    connect(target_, &QComboBox::activated, this,
            [this](int index) { configuration_.setTarget(BuildTarget(index)); });
    configuration_.addListener(this);
    setAvailable(false);
}

ConfigurationLists::~ConfigurationLists() {
    configuration_.removeListener(this);
}

void ConfigurationLists::setAvailable(bool available) {
    QSignalBlocker blockPlatform(platform_);
    QSignalBlocker blockTarget(target_);
    platform_->clear();
    target_->clear();
    platform_->setEnabled(available);
    target_->setEnabled(available);
    if (!available)
        return;
    for (int32_t i = 0; i < kBuildPlatformCount; ++i)
        platform_->addItem(ui::ToQString(BuildPlatformText(BuildPlatform(i))));
    for (int32_t i = 0; i < kBuildTargetCount; ++i)
        target_->addItem(ui::ToQString(BuildTargetText(BuildTarget(i))));
    platform_->setCurrentIndex(int(configuration_.platform()));
    target_->setCurrentIndex(int(configuration_.target()));
}

void ConfigurationLists::platformChanged(BuildPlatform platform) {
    if (platform_->count() == 0)
        return;
    QSignalBlocker block(platform_);
    platform_->setCurrentIndex(int(platform));
}

void ConfigurationLists::targetChanged(BuildTarget target) {
    if (target_->count() == 0)
        return;
    QSignalBlocker block(target_);
    target_->setCurrentIndex(int(target));
}

} // namespace tb
