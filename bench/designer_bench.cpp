// The Designer on generated packages: filling its tree when shown, Move Up and Move Down of
// single actions and of an option list holding a fifth of the package, and removals. Each
// time is printed with its ratio to the time allowed (fill 0.5 s, a move or removal 50 ms),
// and the fill of twice the items against the fill of the items (about 2 when linear). It
// measures, it does not test.
// Run: build/.../bin/designer_bench [items]   (default 10000 items; build in Release)
#include "document/app_settings.h"
#include "document/application.h"
#include "editing/sequence_nodes.h"
#include "model/package_writer.h"
#include "ui/gui_build_events.h"
#include "ui/message_box.h"
#include "views/designer/designer_view.h"
#include "views/designer/sequence_tree.h"

#include <QApplication>
#include <QElapsedTimer>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

using namespace tb;

namespace {

// Every removal question answered Yes.
struct YesBoxes : ui::MessageBoxes {
    ui::MessageAnswer show(QWidget*, const QString&, ui::MessageButtons, ui::MessageIcon) override {
        return ui::MessageAnswer::Yes;
    }
};

std::unique_ptr<InstallItem> file(int n) {
    const std::string digits = std::to_string(n);
    const std::u16string name = u"f" + std::u16string(digits.begin(), digits.end()) + u".txt";
    auto made = std::make_unique<InstallFileItem>(u".\\" + name);
    made->target = u"\\private\\a0001234\\" + name;
    return made;
}

// Rounds of 10 files, an option list with two options of one file each and a condition block
// with IF and ELSE of one file each (20 items); in the middle, an option list whose first
// option holds a fifth of the items.
std::unique_ptr<Package> generate(int items) {
    auto p = CreatePackage({1});
    p->names = {u"Bench"};
    p->vendors = {u"Vendor"};
    p->uid = 0xa0001234;
    ItemSequence& s = p->items;
    int made = 0;
    while (made < items) {
        if (made >= items / 2 && made < items / 2 + 20) {
            InstallItem* list = AppendChild(s, std::make_unique<ShowOptionListItem>(), nullptr);
            InstallItem* big = AppendChild(s, std::make_unique<OptionItem>(1), list);
            itemAs<OptionItem>(big)->names = {u"Big"};
            for (int i = 0; i < items / 5; ++i)
                AppendChild(s, file(made++), big);
            made += 2;
        }
        for (int i = 0; i < 10; ++i)
            AppendChild(s, file(made++), nullptr);
        InstallItem* list = AppendChild(s, std::make_unique<ShowOptionListItem>(), nullptr);
        for (const char16_t* name : {u"A", u"B"}) {
            InstallItem* option = AppendChild(s, std::make_unique<OptionItem>(1), list);
            itemAs<OptionItem>(option)->names = {name};
            AppendChild(s, file(made++), option);
        }
        InstallItem* block = AppendChild(s, std::make_unique<ConditionBlockItem>(), nullptr);
        auto condition = std::make_unique<ConditionNode>(ConditionNode::Kind::Exists);
        condition->text = u"c:\\x.txt";
        AppendChild(
            s, file(made++),
            AppendChild(s, std::make_unique<ConditionBranchItem>(std::move(condition)), block));
        AppendChild(s, file(made++),
                    AppendChild(s, std::make_unique<ConditionBranchItem>(), block));
        made += 6;
    }
    return p;
}

double elapsedMs(QElapsedTimer& timer) {
    return double(timer.nsecsElapsed()) / 1e6;
}

struct Session {
    explicit Session(int items)
        : settings(folder / "user.conf", folder / "machine.conf", folder.string()),
          app(settings, events, SdkList{}) {
        const std::string path = (folder / "Bench.pkg").string();
        WritePackage(*generate(items), path);
        app.document.open(path, false);
    }

    static inline std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("designer_bench_" + std::to_string(getpid()));
    AppSettings settings;
    ui::GuiBuildEvents events;
    Application app;
    ui::CommandRegistry commands;
};

// Shows a new Designer on items and returns the milliseconds to fill and lay out its tree.
double fill(Session& session, std::unique_ptr<DesignerView>& view) {
    view = std::make_unique<DesignerView>(session.app, session.commands);
    view->resize(800, 600);
    view->show();
    QElapsedTimer timer;
    timer.start();
    view->activate();
    QApplication::processEvents();
    return elapsedMs(timer);
}

void report(const char* what, double ms, double allowedMs) {
    std::printf("%-48s %9.2f ms   %.3f of the time allowed\n", what, ms, ms / allowedMs);
}

// The slowest of count runs of operation on the node chosen by select, events included.
template <class Select, class Operation>
double slowest(DesignerView& view, int count, Select select, Operation operation) {
    double worst = 0;
    for (int i = 0; i < count; ++i) {
        view.tree()->selectNode(select());
        QElapsedTimer timer;
        timer.start();
        operation();
        QApplication::processEvents();
        worst = std::max(worst, elapsedMs(timer));
    }
    return worst;
}

} // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication qt(argc, argv);
    const int items = argc > 1 ? std::atoi(argv[1]) : 10000;
    std::filesystem::create_directories(Session::folder);
    YesBoxes yes;
    ui::SetMessageBoxes(&yes);
    {
        Session session(items), twice(2 * items);
        std::unique_ptr<DesignerView> view, other;
        const double filled = fill(session, view);
        const double filledTwice = fill(twice, other);
        other.reset();
        std::printf("%d items\n", items);
        report("fill the tree", filled, 500);
        std::printf("%-48s %9.2f ms   %.2f times the fill of %d items\n",
                    "fill the tree, twice the items", filledTwice, filledTwice / filled, items);

        SequenceTree& tree = *view->tree();
        QTreeWidgetItem* root = tree.rootNode();
        auto middle = [&] { return root->child(root->childCount() / 2 + 3); };
        report("Move Up, an action (slowest of 50)",
               slowest(*view, 50, middle, [&] { view->moveSelected(true); }), 50);
        report("Move Down, an action (slowest of 50)",
               slowest(*view, 50, middle, [&] { view->moveSelected(false); }), 50);
        QTreeWidgetItem* big = nullptr;
        for (int i = 0; i < root->childCount() && !big; ++i)
            if (root->child(i)->childCount() &&
                root->child(i)->child(0)->text(0) == QStringLiteral("Option [\"Big\"]"))
                big = root->child(i);
        if (!big) {
            std::printf("no large option list at the top level\n");
            return 1;
        }
        std::printf("the large option list holds %d nodes\n", int(big->child(0)->childCount()));
        report("Move Up, a fifth of the package (slowest of 10)",
               slowest(
                   *view, 10, [&] { return big; }, [&] { view->moveSelected(true); }),
               50);
        report("Move Down, a fifth of the package (slowest of 10)",
               slowest(
                   *view, 10, [&] { return big; }, [&] { view->moveSelected(false); }),
               50);
        report("remove an action (slowest of 50)",
               slowest(*view, 50, middle, [&] { view->removeSelected(); }), 50);
        report("remove a fifth of the package",
               slowest(
                   *view, 1, [&] { return big; }, [&] { view->removeSelected(); }),
               50);
    }
    ui::SetMessageBoxes(nullptr);
    std::filesystem::remove_all(Session::folder);
    return 0;
}
