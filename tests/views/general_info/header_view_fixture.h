#pragma once

#include "views/view_fixture.h"

namespace tb::test {

// A view of class View, created before the package opens, on a package written from text into
// App/ of the test's own folder.
template <class View> class HeaderViewTest : public AppTest {
protected:
    // Opens the package and shows the view unless told not to.
    void open(const std::string& text, bool show = true) {
        ASSERT_EQ(document.open(dir.write("App/App.pkg", text), false), err::kOk);
        if (show)
            view.activate();
    }
    // Saves, so that the modified flag tells what comes after.
    void save() { ASSERT_EQ(document.save(), err::kOk); }

    View view{app, registry, nullptr};
};

} // namespace tb::test
