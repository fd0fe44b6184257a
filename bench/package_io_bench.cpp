// Rewrite of a large generated package against a plain UTF-16 decode of the same file, both
// as processes: `tinderbridge-cli rewrite IN OUT` against `iconv -f UTF-16 -t UTF-8 IN` (output
// thrown away), best of 7 runs each. Also prints where the time goes in process: reading
// (ReadTextFile), LoadPackage and WritePackage. It measures, it does not test.
// Run: build/.../bin/package_io_bench [items...]   (default 100000 items; build in Release)
#include "model/package_reader.h"
#include "model/package_writer.h"
#include "util/text_file.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <functional>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

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

// Runs a program with its standard output thrown away; false unless it exits with 0.
bool run(const std::vector<std::string>& command) {
    std::vector<char*> argv;
    for (const std::string& word : command)
        argv.push_back(const_cast<char*>(word.c_str()));
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    const int spawned = posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    int status = 0;
    return spawned == 0 && waitpid(pid, &status, 0) == pid && WIFEXITED(status) &&
           WEXITSTATUS(status) == 0;
}

// The command line program and the decoder lie next to this one in the build tree's bin/.
std::string besideMe(const char* program) {
    std::error_code ignored;
    return (std::filesystem::read_symlink("/proc/self/exe", ignored).parent_path() / program)
        .string();
}

// Best of 7 runs of a command; false when it fails.
double timeProcess(const std::vector<std::string>& command) {
    return bestSeconds(7, [&] {
        if (!run(command)) {
            std::fprintf(stderr, "failed: %s\n", command[0].c_str());
            std::exit(1);
        }
    });
}

} // namespace

int main(int argc, char** argv) {
    const std::string dir =
        std::filesystem::temp_directory_path() / ("tb_bench_" + std::to_string(getpid()));
    std::filesystem::create_directories(dir);
    const std::string in = dir + "/bench.pkg", out = dir + "/out.pkg",
                      cli = besideMe("tinderbridge-cli"), decoder = besideMe("decode_file");
    // Two baselines, both processes: iconv streams the file through small buffers to
    // /dev/null; decode_file decodes it whole into memory, as any reader of the file must.
    std::printf("%7s %9s | %9s %9s %9s %6s %6s | %9s %9s %9s\n", "items", "bytes", "iconv",
                "decode", "rewrite", "/iconv", "/dec", "read", "load", "save");
    std::vector<int> sizes;
    for (int i = 1; i < argc; ++i)
        sizes.push_back(std::atoi(argv[i]));
    if (sizes.empty())
        sizes.push_back(100000);
    for (int items : sizes) {
        auto package = generate(items);
        // One write for the whole file: how a file was written shapes its page cache (large
        // folios come from large writes), and that speeds up or slows down every reader, iconv
        // included. This way the input does not depend on how the writer under test writes.
        if (WriteTextFile(in, PackageText(*package)) != 0) {
            std::fprintf(stderr, "cannot write %s\n", in.c_str());
            return 1;
        }
        const double iconv = timeProcess({"iconv", "-f", "UTF-16", "-t", "UTF-8", in});
        const double decode = timeProcess({decoder, in});
        const double rewrite = timeProcess({cli, "rewrite", in, out});
        const double read = bestSeconds(5, [&] {
            WideText t;
            ReadTextFile(in, t);
        });
        const double load = bestSeconds(5, [&] {
            std::unique_ptr<Package> p;
            if (LoadPackage(in, p) != 0)
                std::abort();
        });
        const double save = bestSeconds(5, [&] { WritePackage(*package, out); });
        std::printf("%7d %9ju | %7.1fms %7.1fms %7.1fms %6.2f %6.2f | %7.1fms %7.1fms %7.1fms\n",
                    items, std::uintmax_t(std::filesystem::file_size(in)), iconv * 1e3,
                    decode * 1e3, rewrite * 1e3, rewrite / iconv, rewrite / decode, read * 1e3,
                    load * 1e3, save * 1e3);
    }
    std::filesystem::remove_all(dir);
    return 0;
}
