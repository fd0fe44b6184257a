// The layers of src/, each a folder: a core layer (util, model, buildengine, editing, document,
// from the bottom up) includes no Qt and nothing of the window (ui, views, shell) or the
// programs, and each includes only the core layers below it. editing holds the editor's rules
// over the model; the document, which applies them through its edit operations, stands above.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <regex>
#include <set>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

// Core layers from the bottom up; each may include itself and the ones before it.
const std::vector<std::string> kCoreLayers = {"util", "model", "buildengine", "editing",
                                              "document"};
const std::set<std::string> kAllFolders = {"util", "model", "buildengine", "document", "editing",
                                           "ui",   "views", "shell",       "cli",      "helper"};

struct Finding {
    std::string file;
    int line;
    std::string include;
};

// What a core file of layer may not include; empty when the include is allowed.
std::string violation(const std::string& layer, const std::string& include, bool angled) {
    static const std::regex qt("^(Q[A-Za-z]|qt)");
    if (angled)
        return std::regex_search(include, qt) ? "Qt" : "";
    const std::string folder = include.substr(0, include.find('/'));
    if (!kAllFolders.count(folder))
        return "";
    const auto self = std::find(kCoreLayers.begin(), kCoreLayers.end(), layer);
    const auto other = std::find(kCoreLayers.begin(), kCoreLayers.end(), folder);
    if (other == kCoreLayers.end())
        return "the window or a program (" + folder + ")";
    return other > self ? "a layer above it (" + folder + ")" : "";
}

std::vector<Finding> Check(const fs::path& sourceRoot) {
    static const std::regex include(R"(^\s*#\s*include\s*([<"])([^>"]+)[>"])");
    std::vector<Finding> findings;
    for (const std::string& layer : kCoreLayers) {
        const fs::path folder = sourceRoot / layer;
        if (!fs::exists(folder))
            continue;
        for (const auto& entry : fs::recursive_directory_iterator(folder)) {
            if (!entry.is_regular_file())
                continue;
            std::ifstream in(entry.path());
            std::string line;
            for (int number = 1; std::getline(in, line); ++number) {
                std::smatch match;
                if (!std::regex_search(line, match, include))
                    continue;
                const std::string why = violation(layer, match[2], match[1] == "<");
                if (!why.empty())
                    findings.push_back({fs::relative(entry.path(), sourceRoot).string(), number,
                                        match[2].str() + ": " + why});
            }
        }
    }
    return findings;
}

TEST(Layering, CoreLayersIncludeNoQtAndNothingAboveThem) {
    for (const Finding& finding : Check(TB_SOURCE_DIR))
        ADD_FAILURE() << finding.file << ":" << finding.line << " includes " << finding.include;
}

// The check itself: a Qt include in a core file, and each direction a layer may not look.
TEST(Layering, TheCheckFindsWhatItMust) {
    const struct {
        const char* layer;
        const char* include;
        bool angled;
        bool allowed;
    } cases[] = {
        {"model", "QString", true, false},
        {"util", "QtCore/qglobal.h", true, false},
        {"editing", "ui/message_box.h", false, false},
        {"document", "shell/main_window.h", false, false},
        {"util", "model/package.h", false, false},
        {"model", "buildengine/path_macros.h", false, false},
        {"model", "document/messages.h", false, false},
        {"model", "editing/device_folders.h", false, false},
        {"buildengine", "cli/cli.h", false, false},
        {"document", "editing/device_folders.h", false, true},
        {"editing", "document/package_document.h", false, false},
        {"model", "util/wide_text.h", false, true},
        {"util", "string", true, true},
        {"util", "unicode/ucnv.h", true, true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(violation(c.layer, c.include, c.angled).empty(), c.allowed)
            << c.layer << " including " << c.include;
}

} // namespace
