#pragma once

#include "buildengine/build_configuration.h"

#include <QObject>

class QComboBox;
class QWidget;

namespace tb {

// The platform and target lists of the tool bar. They mirror the build configuration both
// ways; without a package or without SDKs they are empty and disabled.
class ConfigurationLists : public QObject, public BuildConfigurationListener {
    Q_OBJECT
public:
    static constexpr int kPlatformWidth = 130;
    static constexpr int kTargetWidth = 115;

    ConfigurationLists(BuildConfiguration& configuration, QWidget* parent);
    ~ConfigurationLists() override;

    QComboBox* platformList() const { return platform_; }
    QComboBox* targetList() const { return target_; }

    // Fills and enables the lists, or empties and disables them.
    void setAvailable(bool available);

    void platformChanged(BuildPlatform platform) override;
    void targetChanged(BuildTarget target) override;

private:
    BuildConfiguration& configuration_;
    QComboBox* platform_;
    QComboBox* target_;
};

} // namespace tb
