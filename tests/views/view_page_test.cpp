#include "document/edit_batch.h"
#include "views/view_fixture.h"
#include "views/view_page.h"

namespace tb {
namespace {

// Writes to log what happens to it: "A+" a refresh with a package open, "A-" one without,
// "A>" activated, "A<" deactivated.
class RecordingPage : public ViewPage {
public:
    RecordingPage(Application& app, ui::CommandRegistry& registry, const char* name,
                  std::string& log)
        : ViewPage(app, registry, QString::fromLatin1(name)), name_(name), log_(log) {}
    using ViewPage::invalidateAfterBatch;

protected:
    void refresh() override { note(document().isOpen() ? "+" : "-"); }
    void activated() override { note(">"); }
    void deactivated() override { note("<"); }

private:
    void note(const char* what) { log_ += name_ + what + " "; }
    std::string name_;
    std::string& log_;
};

class ViewPageTest : public test::AppTest {
protected:
    void open(const char* name = "multilingual_app.pkg") {
        EXPECT_EQ(
            document.open(dir.copy(std::string(TB_TEST_DATA_DIR "/pkg/") + name, name), false),
            err::kOk);
    }
    // What happened since the last call.
    std::string take() { return std::exchange(log, ""); }

    std::string log;
    RecordingPage a{app, registry, "A", log}, b{app, registry, "B", log};
};

TEST_F(ViewPageTest, AShownViewRefreshesAtOnceAHiddenOneWhenShownAndClosingEmptiesBoth) {
    // Hidden views wait; shown again, a view that missed nothing does not refresh; the shown
    // view follows the language at once.
    open();
    a.activate();
    a.deactivate();
    a.activate();
    app.document.setCurrentLanguage(1);
    EXPECT_EQ(take(), "A+ A> A< A> A+ ");
    b.activate();
    b.deactivate();
    b.invalidate(); // a change the view was told of
    b.activate();
    a.invalidate(); // shown
    EXPECT_EQ(take(), "B+ B> B< B+ B> A+ ") << "a hidden view refreshes once for all it missed";

    app.document.close();
    EXPECT_EQ(take(), "A- B- ") << "no rows may point into a closed package";
    a.deactivate();
    open("handwritten_utf8.pkg");
    a.activate();
    EXPECT_EQ(take(), "A< B+ A+ A> ") << "the hidden view waits";

    // Inside an edit batch a view refreshes once, when the batch ends.
    {
        EditBatch batch(document);
        a.invalidateAfterBatch();
        a.invalidateAfterBatch();
        EXPECT_EQ(take(), "");
    }
    EXPECT_EQ(take(), "A+ ");
    a.invalidateAfterBatch();
    EXPECT_EQ(take(), "A+ ") << "outside a batch at once";
}

} // namespace
} // namespace tb
