// Load and save times of large generated packages, against the time of merely reading the
// same file and decoding it to UTF-16. Run: build/.../bin/package_io_bench [items...]
#include "model/package_reader.h"
#include "model/package_writer.h"
#include "util/text_file.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <unistd.h>

using namespace tb;

namespace {

std::unique_ptr<Package> generate(int items) {
    auto p = CreatePackage({1, 2});
    p->names = {u"Bench", u"Banc"};
    p->vendors = {u"Vendor", u"Vendeur"};
    p->uid = 0xa0001234;
    InstallItem* option = nullptr;
    for (int i = 0; i < items; ++i) {
        std::u16string n = u"file" + std::u16string(1, char16_t(u'a' + i % 26));
        switch (i % 10) {
        case 0: { // an option list with two options, later files go into the first one
            InstallItem* list =
                AppendChild(p->items, CreateItem(InstallItemKind::ShowOptionList, 2), nullptr);
            option = AppendChild(p->items, CreateItem(InstallItemKind::Option, 2), list);
            itemAs<OptionItem>(option)->names = {u"Option", u"Option"};
            auto* second = AppendChild(p->items, CreateItem(InstallItemKind::Option, 2), list);
            itemAs<OptionItem>(second)->names = {u"Other", u"Autre"};
            break;
        }
        case 1:
        case 2: {
            auto* f = itemAs<InstallFileItem>(AppendChild(
                p->items,
                CreateItem(InstallItemKind::File, 2,
                           u"$(EPOCROOT)\\epoc32\\release\\$(PLATFORM)\\$(TARGET)\\" + n + u".dll"),
                option));
            f->target = u"\\sys\\bin\\" + n + u".dll";
            break;
        }
        case 3: {
            auto* lf = itemAs<InstallLanguageFileItem>(
                AppendChild(p->items, CreateItem(InstallItemKind::LanguageFile, 2), nullptr));
            lf->sources = {u"text\\" + n + u"_en.txt", u"text\\" + n + u"_fr.txt"};
            lf->target = u"\\private\\a0001234\\" + n + u".txt";
            break;
        }
        case 4: {
            auto* d = itemAs<ShowDialogItem>(AppendChild(
                p->items, CreateItem(InstallItemKind::ShowDialog, 2, u"text\\" + n + u".txt"),
                nullptr));
            d->name = n;
            break;
        }
        case 5: {
            auto* e = itemAs<IncludePackageItem>(AppendChild(
                p->items, CreateItem(InstallItemKind::IncludePackage, 2, u"sis\\" + n + u".sis"),
                nullptr));
            e->uid = 0xa0000000u + unsigned(i);
            break;
        }
        default: {
            auto* f = itemAs<InstallFileItem>(AppendChild(
                p->items, CreateItem(InstallItemKind::File, 2, u"gfx\\" + n + u".mbm"), nullptr));
            f->target = u"\\resource\\apps\\" + n + u".mbm";
        }
        }
    }
    return p;
}

double bestSeconds(int runs, const std::function<void()>& work) {
    double best = 1e9;
    for (int r = 0; r < runs; ++r) {
        auto start = std::chrono::steady_clock::now();
        work();
        best = std::min(
            best, std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    }
    return best;
}

} // namespace

int main(int argc, char** argv) {
    std::string dir =
        std::filesystem::temp_directory_path() / ("tb_bench_" + std::to_string(getpid()));
    std::filesystem::create_directories(dir);
    std::printf("%8s %10s %10s %10s %10s %8s\n", "items", "bytes", "read+dec", "load", "save",
                "ratio");
    int sizes[] = {10000, 20000, 40000};
    int count = argc > 1 ? argc - 1 : 3;
    for (int s = 0; s < count; ++s) {
        int items = argc > 1 ? std::atoi(argv[s + 1]) : sizes[s];
        std::string path = dir + "/bench.pkg";
        auto package = generate(items);
        if (WritePackage(*package, path) != 0) {
            std::fprintf(stderr, "cannot write %s\n", path.c_str());
            return 1;
        }
        double decode = bestSeconds(5, [&] {
            WideText t;
            ReadTextFile(path, t);
        });
        double load = bestSeconds(5, [&] {
            std::unique_ptr<Package> p;
            if (LoadPackage(path, p) != 0)
                std::abort();
        });
        double save = bestSeconds(5, [&] { WritePackage(*package, path); });
        std::printf("%8d %10ju %9.2fms %9.2fms %9.2fms %8.2f\n", items,
                    std::uintmax_t(std::filesystem::file_size(path)), decode * 1e3, load * 1e3,
                    save * 1e3, (load + save) / decode);
    }
    std::filesystem::remove_all(dir);
    return 0;
}
