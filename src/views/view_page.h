#pragma once

#include <QString>
#include <QWidget>

#include <array>
#include <string_view>
#include <vector>

namespace tb {
class Application;
namespace ui {
class CommandRegistry;
}

// One editor view of the open package, shown in the main window's view area. Created once and
// kept for the window's life; it hears the document's events itself.
class ViewPage : public QWidget {
    Q_OBJECT
public:
    explicit ViewPage(const QString& name, QWidget* parent = nullptr);

    const QString& name() const { return name_; }

    // The window switched to this view, or away from it.
    virtual void activated() {}
    virtual void deactivated() {}

private:
    QString name_;
};

// The views in view bar order.
enum class ViewIndex {
    GeneralInfo,
    FileOverview,
    PhoneView,
    Designer,
    Dependencies,
    Properties,
    Localization,
    Deployment,
};
constexpr int kViewCount = 8;

inline constexpr std::array<std::u16string_view, kViewCount> kViewNames = {
    u"General Info", u"File Overview", u"Phone View",   u"Designer",
    u"Dependencies", u"Properties",    u"Localization", u"Deployment",
};

// The eight views, in view bar order, as children of parent.
std::vector<ViewPage*> CreateViewPages(Application& app, ui::CommandRegistry& commands,
                                       QWidget* parent);

} // namespace tb
