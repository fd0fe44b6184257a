#include "shell/configuration_lists.h"

#include "ui/qt_text.h"

#include <QComboBox>
#include <QSignalBlocker>

namespace tb {

ConfigurationLists::ConfigurationLists(BuildConfiguration& configuration, QWidget* parent)
    : QObject(parent), configuration_(configuration), platform_(new QComboBox(parent)),
      target_(new QComboBox(parent)) {
    platform_->setObjectName(QStringLiteral("platformList"));
    target_->setObjectName(QStringLiteral("targetList"));
    platform_->setFixedWidth(kPlatformWidth);
    target_->setFixedWidth(kTargetWidth);
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
