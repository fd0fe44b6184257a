#include "document/edit_batch.h"
#include "views/view_fixture.h"
#include "views/view_page.h"

namespace tb {
namespace {

// Records every refresh with whether a package was open at the time.
class RecordingPage : public ViewPage {
public:
    RecordingPage(Application& app, ui::CommandRegistry& registry, const char* name)
        : ViewPage(app, registry, QString::fromLatin1(name)) {}
    std::vector<bool> refreshes;
    std::vector<std::string> hooks;
    using ViewPage::invalidateAfterBatch;

protected:
    void refresh() override { refreshes.push_back(document().isOpen()); }
    void activated() override { hooks.push_back("activated"); }
    void deactivated() override { hooks.push_back("deactivated"); }
};

class ViewPageTest : public test::AppTest {
protected:
    void open(const char* name = "multilingual_app.pkg") {
        EXPECT_EQ(
            document.open(dir.copy(std::string(TB_TEST_DATA_DIR "/pkg/") + name, name), false),
            err::kOk);
    }

    RecordingPage a{app, registry, "A"}, b{app, registry, "B"};
};

using Refreshes = std::vector<bool>;

TEST_F(ViewPageTest, AShownViewRefreshesAtOnceAHiddenOneWhenShownAndClosingEmptiesBoth) {
    open();
    EXPECT_TRUE(a.refreshes.empty() && b.refreshes.empty()) << "hidden views wait";

    a.activate();
    EXPECT_EQ(a.refreshes, Refreshes{true});
    a.deactivate();
    a.activate();
    EXPECT_EQ(a.refreshes.size(), 1u) << "nothing missed, nothing to refresh";
    EXPECT_EQ(a.hooks, (std::vector<std::string>{"activated", "deactivated", "activated"}));

    app.document.setCurrentLanguage(1);
    EXPECT_EQ(a.refreshes.size(), 2u) << "the shown view follows the language at once";
    EXPECT_TRUE(b.refreshes.empty());
    b.activate();
    EXPECT_EQ(b.refreshes, Refreshes{true}) << "one refresh for all it missed";

    b.deactivate();
    b.invalidate(); // a change the view was told of
    EXPECT_EQ(b.refreshes.size(), 1u);
    b.activate();
    EXPECT_EQ(b.refreshes.size(), 2u);
    a.invalidate(); // shown
    EXPECT_EQ(a.refreshes.size(), 3u);

    app.document.close();
    EXPECT_EQ(a.refreshes.back(), false) << "no rows may point into a closed package";
    EXPECT_EQ(b.refreshes.back(), false);
    a.deactivate();
    size_t before = a.refreshes.size();
    open("handwritten_utf8.pkg");
    EXPECT_EQ(a.refreshes.size(), before);
    a.activate();
    EXPECT_EQ(a.refreshes.size(), before + 1);

    // Inside an edit batch a view refreshes once, when the batch ends.
    {
        EditBatch batch(document);
        a.invalidateAfterBatch();
        a.invalidateAfterBatch();
        EXPECT_EQ(a.refreshes.size(), before + 1);
    }
    EXPECT_EQ(a.refreshes.size(), before + 2);
    a.invalidateAfterBatch();
    EXPECT_EQ(a.refreshes.size(), before + 3) << "outside a batch at once";
}

} // namespace
} // namespace tb
