#include "buildengine/build_output_parser.h"

#include "support/log_lines.h"
#include "support/temp_dir.h"
#include "util/path.h"
#include "util/text_convert.h"

#include <gtest/gtest.h>

namespace tb {
namespace {

using test::Lines;
using Items = std::vector<const InstallItem*>;
using K = InstallItemKind;

constexpr std::u16string_view kFile = u"C:\\w\\App.pkg(7) : processing file";
constexpr std::u16string_view kEmbed = u"x: processing embedded package file";
constexpr std::u16string_view kLang = u"x: processing language block";
constexpr std::u16string_view kOptions = u"x: processing options block";
constexpr std::u16string_view kIf = u"x: processing IF block";
constexpr std::u16string_view kFault = u"x: file I/O fault.";

struct Receiver : ItemReceiver {
    void itemReached(const InstallItem* item) override { items.push_back(item); }
    Items items;
};

class BuildOutputParserTest : public ::testing::Test {
protected:
    std::string host(const std::string& name) const { return dir.file(name); }
    InstallItem* add(K kind, InstallItem* parent = nullptr, std::u16string source = {}) {
        return AppendChild(p.items, CreateItem(kind, 2, std::move(source)), parent);
    }
    // Made on first use: the cursor starts at the first item, so tests add their items first.
    BuildOutputParser& parser() {
        if (!parser_) {
            parser_ = std::make_unique<BuildOutputParser>(configuration, log, host("App.pkg"), p);
            parser_->stepTracker().addItemReceiver(&receiver);
        }
        return *parser_;
    }
    Lines feed(const std::vector<std::u16string_view>& lines, std::u16string_view end = u"\r\n",
               std::optional<bool> finish = {}) {
        log.clear();
        for (std::u16string_view line : lines)
            parser().append(WideText(line) + WideText(end));
        parser().handleLines();
        if (finish)
            parser().finish(*finish);
        return test::LogLines(log);
    }

    test::TempDir dir;
    std::unique_ptr<Package> package = CreatePackage({1, 2}); // English, French
    Package& p = *package;
    BuildConfiguration configuration{SdkList{{u"", u"", fromHostPath(dir.file("sdk")), false}}};
    BuildOutputLog log;
    Receiver receiver;
    std::unique_ptr<BuildOutputParser> parser_;
};

TEST_F(BuildOutputParserTest, FixedMessagesAndUnrecognisedLines) {
    EXPECT_EQ(feed({u"a: processing languages", u"a:bprocessing header", u"a: processing logo",
                    u"a: unknown line", u"a: Processing file", u"processing file",
                    u"a: processing file ", u"trailing:", u"random text"}),
              (Lines{"Processing Languages...", "Processing General info...", "Processing Logo...",
                     "Unknown error; try building the package manually from the command line "
                     "using makesis"}));
}

TEST_F(BuildOutputParserTest, ProgressLinesAnnounceItems) {
    add(K::File, nullptr, u"gfx\\icon.mbm");
    itemAs<ShowDialogItem>(add(K::ShowDialog))->name = u"Intro";
    itemAs<IncludePackageItem>(add(K::IncludePackage))->path =
        u"$(EPOCROOT)\\epoc32\\release\\$(PLATFORM)\\$(TARGET)\\e.sis";
    add(K::LanguageFile);
    itemAs<ShowLanguageDialogItem>(add(K::ShowLanguageDialog))->name = u"Lic";
    itemAs<IncludeLanguagePackageItem>(add(K::IncludeLanguagePackage))->uid = 0xA000BC1;
    EXPECT_EQ(feed({kFile, kFile, kEmbed, kLang, kLang, kLang, kFile, kOptions, kIf, kEmbed}),
              (Lines{"Adding " + host("gfx/icon.mbm") + "...", "Adding Dialog 'Intro'...",
                     "Adding Package '" + host("sdk") + "/epoc32/release/gcce/urel/e.sis'...",
                     "Adding Language file...", "Adding Language dialog 'Lic'...",
                     "Adding Language package '0xA000BC1'..."}));
    // Each item is announced once; lines past the end are ignored safely.
    EXPECT_EQ(receiver.items.size(), 6u);
    EXPECT_EQ(parser().stepTracker().current(), nullptr);

    BuildConfiguration noSdk{SdkList{}}; // paths stay as stored
    p.type = PackageType::PreinstalledAddOn;
    for (const BuildConfiguration* c : {&configuration, &noSdk}) {
        BuildOutputParser(*c, log, host("App.pkg"), p).stepTracker().handleLine(kFile);
        EXPECT_EQ(test::LastOf(test::LogLines(log)),
                  "Processing " + (c == &noSdk ? "gfx\\icon.mbm" : host("gfx/icon.mbm")) + "...");
    }
}

TEST_F(BuildOutputParserTest, CursorWalksOptionLists) {
    // f1, L1{ o1{ f2, L2{ a{}, b{ f3 } } }, o2{}, o3{ f4 } }, f5, L3{ {} }, f6
    InstallItem* f1 = add(K::File, nullptr, u"f1");
    InstallItem* l1 = add(K::ShowOptionList);
    InstallItem* o1 = add(K::Option, l1);
    InstallItem* f2 = add(K::File, o1, u"f2");
    InstallItem* l2 = add(K::ShowOptionList, o1);
    add(K::Option, l2);
    InstallItem* f3 = add(K::File, add(K::Option, l2), u"f3");
    add(K::Option, l1);
    InstallItem* f4 = add(K::File, add(K::Option, l1), u"f4");
    InstallItem* f5 = add(K::File, nullptr, u"f5");
    add(K::Option, add(K::ShowOptionList));
    InstallItem* f6 = add(K::File, nullptr, u"f6");
    BuildStepTracker& tracker = parser().stepTracker();
    for (std::u16string_view line :
         {kFile, kOptions, kIf, kFile, kOptions, kIf, kFile, kIf, kFile, kFile, kOptions, kFile})
        EXPECT_TRUE(tracker.handleLine(line));
    EXPECT_EQ(receiver.items, (Items{f1, f2, f3, f4, f5, f6}));
    EXPECT_EQ((Items{tracker.previous(), tracker.current()}), (Items{f6, nullptr}));
}

TEST_F(BuildOutputParserTest, EmbedAndUidExplanations) {
    auto* embedded = itemAs<IncludePackageItem>(add(K::IncludePackage));
    embedded->path = u"sub\\e.sis";
    embedded->uid = 0xA0B1C2D3;
    add(K::IncludeLanguagePackage);
    const std::string generic = "Error, failed to add file; the file is empty or it is corrupt";
    const std::string uid = "Error, UID mismatch; the UID in the SIS file";
    const std::string tail = " is different from what is specified in the package(0xA0B1C2D3)";
    EXPECT_EQ(feed({u"x: SISfile error.", u"x: different UID."}), Lines{generic}); // no item yet
    EXPECT_EQ(feed({kEmbed, u"x: SISfile error.", u"x: different UID."}),
              (Lines{"Adding Package '" + host("sub/e.sis") + "'...",
                     "Error, failed to embed '" + host("sub/e.sis") +
                         "', the file is corrupt or it is not a SIS file",
                     uid + tail}));
    EXPECT_EQ(test::LastOf(feed({kLang, u"x: SISfile error."})),
              "Error, failed to embed language dependent SIS file; the file is corrupt");
}

TEST_F(BuildOutputParserTest, FileAccessExplanations) {
    itemAs<IncludePackageItem>(add(K::IncludePackage))->path = u"folder";
    add(K::ShowDialog, nullptr, u"d.txt");
    itemAs<InstallLanguageFileItem>(add(K::LanguageFile))->sources = {u"en.txt", u""};
    itemAs<ShowLanguageDialogItem>(add(K::ShowLanguageDialog))->sources = {u"", u"fr.txt"};
    for (const char* name : {"folder/x", "d.txt", "en.txt"})
        dir.write(name, "x");
    const std::string locked = "'; the file is locked by another application or you don't have "
                               "permission to access the file";
    EXPECT_EQ(feed({kFault}), Lines{}); // no logo, nothing to blame
    p.logo.present = true;
    p.logo.source = u"logo.png";
    dir.write("logo.png", "\x89PNG");
    EXPECT_EQ(feed({kFault}),
              Lines{"Error, unsupported image format; only MBM bitmaps are supported"});

    // Item by item, a fault blames the item just announced; a dialog found says nothing.
    const std::pair<std::u16string_view, std::string> steps[] = {
        {kEmbed, "Error, can not open file '" + host("folder") + locked},
        {kFile, "Adding Dialog ''..."},
        {kLang, "Language file is missing a source file for 'French'"},
        {kLang, "Language dialog is missing a source file for 'English'"},
    };
    for (const auto& [line, last] : steps)
        EXPECT_EQ(test::LastOf(feed({line, kFault})), last);
}

TEST_F(BuildOutputParserTest, ErrorFilter) {
    p.uid = 0xE1234ABC;
    EXPECT_EQ(feed({u"SIGNSIS -s x.sis", u"error:06065064:digital envelope routines",
                    u"error:0906A068:PEM routines", u"SISfile error, expected data missing.",
                    u"Error:0906A068", u" SIGNSIS", u"error:0906A068:PEM routines"}),
              (Lines{"", "Signing package...", "Error, invalid passphrase for the private key",
                     "Error, the private key requires a passphrase",
                     "Error, an embedded SIS file in the package has the same UID(0xE1234ABC) "
                     "as the package",
                     "Error:0906A068"}));
}

TEST_F(BuildOutputParserTest, SigningFilesAreExplainedOnlyWhenSigning) {
    constexpr std::u16string_view kOpen = u"file I/O fault, cannot open x";
    p.signing = {false, u"", u"keys\\dev.cer", u"keys\\dev.key"};
    const std::string certificate = host("keys/dev.cer");
    const Lines noCertificate{"Error, can not find certificate '" + certificate + "'"};
    const auto fresh = [&](std::u16string_view line) {
        parser_.reset(); // the filter shows each message once per build
        return feed({line});
    };
    // An unsigned build names no certificate; the tool's line is shown instead.
    EXPECT_EQ(fresh(kOpen), Lines{"Error, makesis reports 'file I/O fault, cannot open x'"});
    p.signing.signPackage = true;
    EXPECT_EQ(fresh(kOpen), noCertificate);
    dir.write("keys/dev.cer/x", "");
    EXPECT_EQ(fresh(kOpen), noCertificate) << "a folder is no certificate";
    std::filesystem::remove_all(host("keys"));
    EXPECT_EQ(fresh(fromHostPath(certificate) + u": No such file or directory"), Lines{})
        << "before signing, not the signing tool's line";
    // Both there (a missing key shows in the whole builds of run/linux_tools_test.cpp).
    dir.write("keys/dev.cer", "c");
    dir.write("keys/dev.key", "k");
    EXPECT_EQ(fresh(kOpen), Lines{});
}

// Linux tool texts the transcript builds (run/linux_tools_test.cpp) do not show.
TEST_F(BuildOutputParserTest, LinuxToolTexts) {
    add(K::File, nullptr, u"one.txt");
    itemAs<IncludePackageItem>(add(K::IncludePackage))->path = u"sub.sis";
    const std::string one = "Adding " + host("one.txt") + "...";
    const std::u16string noStartLine = utf8ToWide(
        "407756F8FA7F0000:error:0480006C:PEM routines:get_name:no start line:../crypto/pem/"
        "pem_lib.c:760:Expecting: CERTIFICATE"); // OpenSSL 3 starts with a thread id
    const struct {
        std::vector<std::u16string> lines;
        Lines expected;
        bool succeeded = false; // the build's verdict, when the output ends
    } cases[] = {
        // makesis names the file it could not load on standard error, which comes first: the
        // explanation names that file even when other items followed it.
        {{u"C.pkg(10) : processing file", u"Generating SIS installation file...",
          u"Bad input SIS file",
          u"Caught exception 0 in loading embedded SIS file " + fromHostPath(host("sub.sis")),
          u"error: Bad SIS file to embed"},
         {one, "Error, failed to embed '" + host("sub.sis") +
                   "', the file is corrupt or it is not a SIS file"}},
        {{u"L.pkg(1) : processing languages", u"L.pkg(1) : error: unknown language specified",
          u"  Usage : &aa,bb,...zz", u"L.pkg(1) : error: unknown language specified"},
         {"Processing Languages...",
          "Error, makesis reports 'unknown language specified' while processing the languages"}},
        {{u"N.pkg(10) : processing file", u"N.pkg(10) : error: number out of range"},
         {one, "Error, makesis reports 'number out of range' for '" + host("one.txt") + "'"}},
        {{u"N.pkg(5) : processing dependency", u"N.pkg(6) : error: number out of range",
          u"error: invalid destination file"},
         {"Error, makesis reports 'number out of range'",
          "Error, makesis reports 'invalid destination file'"}},
        {{u"SIGNSIS x", noStartLine, noStartLine, u"Unable to load key"},
         {"", "Signing package...",
          "Error, signsis reports 'no start line (Expecting: CERTIFICATE)'"}},
        {{u"SIGNSIS x", noStartLine}, {"", "Signing package..."}, true},
    };
    for (const auto& c : cases) {
        parser_.reset();
        // These tools end lines with LF alone.
        EXPECT_EQ(feed({c.lines.begin(), c.lines.end()}, u"\n", c.succeeded), c.expected)
            << wideToUtf8(c.lines.back());
    }
}

TEST_F(BuildOutputParserTest, LinesSplitAcrossPieces) {
    const std::vector<std::pair<std::u16string_view, size_t>> pieces = {
        {u"a: proce", 0},
        {u"ssing logo", 0},
        {u"\r", 1},
        {u"\n\r\n\n", 1},
        // A CR that ends a piece must not swallow the next piece's first character.
        {u"x: processing header\r", 2},
        {u": unknown line\ry: processing languages\n", 4}};
    for (const auto& [piece, lines] : pieces) {
        parser().append(piece);
        EXPECT_TRUE(parser().handleLines());
        EXPECT_EQ(test::LogLines(log).size(), lines) << wideToUtf8(piece);
    }
    EXPECT_EQ(test::LogLines(log)[3], "Processing Languages...");
}

} // namespace
} // namespace tb
