#pragma once

#include "document/document_listener.h"
#include "views/view_commands.h"

#include <QString>
#include <QWidget>

#include <array>
#include <string_view>
#include <vector>

namespace tb {
class Application;
class PackageDocument;

// One editor view of the open package, shown in the main window's view area. Created once and
// kept for the window's life. It hears the document's events itself and keeps its controls in
// step with the package through refresh(): at once while it is shown, otherwise when it is
// shown next. It owns the commands it claims while it is active.
class ViewPage : public QWidget, public DocumentListener {
    Q_OBJECT
public:
    ViewPage(Application& app, ui::CommandRegistry& registry, const QString& name,
             QWidget* parent = nullptr);
    ~ViewPage() override;

    const QString& name() const { return name_; }

    // The window shows this view (refreshed first when it needs it) or leaves it.
    void activate();
    void deactivate();
    bool isActive() const { return commands_.isActive(); }

    // The controls no longer show the package: refreshed now while shown, else when shown.
    void invalidate();

    ViewCommands& commands() { return commands_; }

    void documentCreated() final;
    void documentOpened() final;
    void documentClosed() final;
    void currentLanguageChanged(size_t languageIndex) final;
    void editBatchStarted() final;
    void editBatchEnded() final;

protected:
    Application& app() const { return app_; }
    PackageDocument& document() const;

    // Fills the controls from the open package; without one, empties them. Called for the
    // document's life-cycle and language events; for the item and package changes it hears
    // of, a view updates its controls itself or calls invalidate().
    virtual void refresh() {}
    // Whether showing the view must refresh it first: after any event it missed, by default.
    virtual bool needsRefresh() const { return dirty_; }
    // After the view was shown and refreshed; before it is left and its commands go off.
    virtual void activated() {}
    virtual void deactivated() {}

    // invalidate(), but inside an edit batch (a folder rename, a UID change touching many
    // files) only once, when the batch ends.
    void invalidateAfterBatch();
    bool inEditBatch() const { return batching_; }

    // What the view hands the document as the origin of its edits, and the test for the
    // events they raise, which it has already shown.
    const void* changeOrigin() const { return static_cast<const ViewPage*>(this); }
    bool isOwnChange(const void* origin) const { return origin == changeOrigin(); }

private:
    void refreshNow();

    Application& app_;
    QString name_;
    ViewCommands commands_;
    bool dirty_ = true;
    bool batching_ = false;
    bool dirtyAfterBatch_ = false;
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
std::vector<ViewPage*> CreateViewPages(Application& app, ui::CommandRegistry& registry,
                                       QWidget* parent);

} // namespace tb
