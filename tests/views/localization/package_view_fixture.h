#pragma once

#include "views/view_fixture.h"

#include <QItemSelectionModel>
#include <QTreeView>

#include <functional>
#include <memory>
#include <type_traits>

namespace tb::test {

// Runs start, which opens a modal dialog of class D, and hands the dialog to act, which closes
// it.
template <class D>
void RunModal(const std::function<void()>& start, const std::function<void(D&)>& act) {
    WhenModal<D> when(act);
    start();
    EXPECT_TRUE(when.seen());
}

// A package view of class View on a package written from text (UTF-8), shown and active. A
// list view's Add and Edit open a Dialog.
template <class View, class Dialog = void> class PackageViewTest : public AppTest {
protected:
    void open(const std::string& text) {
        ASSERT_EQ(document.open(dir.write("App.pkg", text), false), err::kOk);
        view.reset(create());
        view->resize(700, 400);
        view->show();
        view->activate();
    }

    // The view to test; a test of a view made by a factory says how.
    virtual View* create() {
        if constexpr (std::is_abstract_v<View>)
            return nullptr;
        else
            return new View(app, registry);
    }

    // D is never deduced: the lambdas given are not std::functions.
    template <class D = Dialog> void add(const std::type_identity_t<std::function<void(D&)>>& act) {
        RunModal<D>([this] { view->list()->add(); }, act);
    }
    template <class D = Dialog>
    void edit(int row, const std::type_identity_t<std::function<void(D&)>>& act) {
        view->list()->selectRow(row);
        RunModal<D>([this] { view->list()->editSelected(); }, act);
    }
    // Selects exactly rows and removes them, answering the question; gives the texts shown.
    std::vector<QString> removeRows(const QList<int>& rows, ui::MessageAnswer answer) {
        QItemSelectionModel* selection = view->list()->table()->selectionModel();
        selection->clearSelection();
        for (int row : rows)
            selection->select(view->list()->model()->index(row, 0),
                              QItemSelectionModel::Select | QItemSelectionModel::Rows);
        boxes.shown.clear();
        boxes.answers = {answer};
        view->list()->removeSelected();
        return shownTexts();
    }

    std::unique_ptr<View> view;
};

} // namespace tb::test
