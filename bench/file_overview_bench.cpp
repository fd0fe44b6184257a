// The File Overview on a generated package of 10 000 items (files at the top level, inside
// options and inside condition branches, beside viewer and language-dependent files): the
// time to fill the shown table, to remove one row, to remove every row at once and to follow
// a file another view inserts, each against walking the whole sequence once in the same
// process, printed as ratios. It measures, it does not test.
// Run: build/.../bin/file_overview_bench [items]   (default 10000; build in Release)
#include "document/app_settings.h"
#include "document/application.h"
#include "ui/command_registry.h"
#include "ui/gui_build_events.h"
#include "views/file_overview/file_overview_view.h"
#include "views/file_overview/file_row_model.h"
#include "views/list_editor.h"

#include <QApplication>
#include <QTreeView>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <unistd.h>
#include <vector>

using namespace tb;

namespace {

std::string plainFile(int i, const char* type) {
    const std::string name = "f" + std::to_string(i) + ".dat";
    return "\"files\\" + name + "\"-\"" + (i % 3 ? "!" : "c") + ":\\private\\a0001234\\" + name +
           "\"," + type + "\n";
}

// Package text: in every twenty items an option list whose option holds the next files, and
// a condition block whose branch holds others, beside viewer and language-dependent files.
std::string generate(int items) {
    std::string text = "&EN,FR\n#{\"Bench\",\"Banc\"},(0xA0001234),1,0,0\n%{\"V\",\"V\"}\n"
                       ":\"V\"\n";
    for (int i = 0; i < items; ++i) {
        switch (i % 20) {
        case 0:
            text += "!({\"Option\",\"Option\"})\nIF option1\n";
            ++i; // the option counts too
            break;
        case 9:
        case 14:
            text += "ENDIF\n";
            break;
        case 10:
            text += "IF exists(\"c:\\x\")\n"; // the block and its branch
            ++i;
            break;
        case 5:
            text += "\"docs\\d" + std::to_string(i) + ".txt\"-\"\",FM,\"text/plain\",RI\n";
            break;
        case 7:
            text +=
                "{\"en.txt\" \"fr.txt\"}-\"!:\\resource\\apps\\l" + std::to_string(i) + ".txt\"\n";
            break;
        default:
            text += plainFile(i, i % 4 ? "FF" : "FR,RI");
        }
    }
    return text;
}

using Clock = std::chrono::steady_clock;

// Best of runs, in milliseconds.
double best(int runs, const std::function<void()>& setUp, const std::function<void()>& work) {
    double best = 1e300;
    for (int r = 0; r < runs; ++r) {
        setUp();
        auto start = Clock::now();
        work();
        best =
            std::min(best, std::chrono::duration<double, std::milli>(Clock::now() - start).count());
    }
    return best;
}

} // namespace

int main(int argc, char** argv) {
    const int items = argc > 1 ? std::max(100, std::atoi(argv[1])) : 10000;
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication qt(argc, argv);

    char folderTemplate[] = "/tmp/tb_file_overview_bench_XXXXXX";
    const std::string folder = mkdtemp(folderTemplate);
    const std::string path = folder + "/Bench.pkg";
    std::ofstream(path, std::ios::binary) << generate(items);
    ui::GuiBuildEvents events;
    AppSettings settings(folder + "/user.conf", folder + "/machine.conf", folder);
    Application app(settings, events, SdkList{});
    ui::CommandRegistry registry;
    FileOverviewView view(app, registry);
    view.resize(900, 700);
    view.show();
    auto open = [&] {
        app.document.open(path, false);
        QApplication::processEvents();
    };
    open();
    const PackageDocument& document = app.document;
    if (!document.isOpen()) {
        std::fprintf(stderr, "cannot open %s\n", path.c_str());
        return 1;
    }

    size_t walked = 0;
    const double walk = best(
        9, [] {},
        [&] {
            for (InstallItem* at = document.package()->items.first; at;
                 at = NextInPreOrder(at, nullptr))
                walked += size_t(at->kind == InstallItemKind::File);
        });
    auto fill = [&] {
        view.activate();
        QApplication::processEvents(); // laid out and painted
    };
    const double filled = best(
        5, [&] { view.deactivate(), open(); }, fill);
    const int rows = view.rows().rowCount();
    view.editor()->table()->sortByColumn(1, Qt::AscendingOrder);
    const double filledSorted = best(
        5, [&] { view.deactivate(), open(); }, fill);

    const double removeOne = best(
        9, [&] { view.editor()->selectRow(rows / 2); }, [&] { view.remove({rows / 2}); });
    QList<int> all;
    for (int r = view.shownRows().rowCount() - 1; r >= 0; --r)
        all << r;
    const double removeAll = best(
        1, [] {},
        [&] {
            view.remove(all);
            QApplication::processEvents();
        });

    view.deactivate(), open(), fill();
    InstallItem* middle = view.rows().file(rows / 2);
    const double follow = best(
        9, [] {},
        [&] {
            auto file = std::make_unique<InstallFileItem>(u"new.dat");
            file->target = u"\\private\\a0001234\\new.dat";
            InstallItem* added =
                app.document.insertItem(std::move(file), ItemPlace::after(middle), {});
            app.document.removeItem(added, {});
        });

    std::printf("%d items, %d rows (%zu file items walked)\n", items, rows, walked / 9);
    std::printf("walk the sequence (baseline)   %8.3f ms\n", walk);
    const struct {
        const char* what;
        double ms;
    } lines[] = {{"fill the shown table", filled},
                 {"fill it sorted by Target", filledSorted},
                 {"remove one row (sorted)", removeOne},
                 {"remove every row (sorted)", removeAll},
                 {"another view adds and removes", follow}};
    for (const auto& line : lines)
        std::printf("%-30s %8.3f ms  %8.1f x baseline\n", line.what, line.ms, line.ms / walk);
    std::filesystem::remove_all(folder);
    return 0;
}
