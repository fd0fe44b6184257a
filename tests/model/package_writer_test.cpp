#include "model/package_writer.h"

#include "support/temp_dir.h"

#include <gtest/gtest.h>

namespace tb {
namespace {

using test::ReadBytes;

constexpr uint32_t EN = 1, FR = 2;

template <class T> T* Add(Package& p, std::unique_ptr<T> item, InstallItem* parent = nullptr) {
    return static_cast<T*>(AppendChild(p.items, std::move(item), parent));
}

std::unique_ptr<InstallFileItem> File(WideText source, WideText target) {
    auto file = std::make_unique<InstallFileItem>(std::move(source));
    file->target = std::move(target);
    return file;
}

std::unique_ptr<OptionItem> Option(LocalizedText names) {
    auto option = std::make_unique<OptionItem>(names.size());
    option->names = std::move(names);
    return option;
}

const std::u16string_view kBanner = u";---------------------------------;\r\n"
                                    u"; Tinderbridge specific options   ;\r\n"
                                    u"; Must be placed last in the file ;\r\n"
                                    u";---------------------------------;\r\n";

// The package of tests/data/pkg/worked_example.pkg.
std::unique_ptr<Package> WorkedExample() {
    auto p = CreatePackage({EN, FR});
    p->names = {u"Demo", u"Demo FR"}, p->vendors = {u"Vendor", u"Vendeur"};
    p->uid = 0xa0001234, p->globalVendor = u"Vendor";
    p->versionMajor = 1, p->versionMinor = 2, p->versionBuild = 3;
    *AddDependency(p->deviceDependencies,
                   CreateDependency(2)) = {0x101f7961, {u"S60 3rd Edition", u"S60 3rd Edition"}};
    Add(*p, File(u"C:\\src\\app.exe", u"\\sys\\bin\\app.exe"))->fileType = FileType::FR;
    auto* list = Add(*p, std::make_unique<ShowOptionListItem>());
    auto* help = Add(*p, Option({u"Help", u"Aide"}), list);
    Add(*p, Option({u"Extras", u"Extras"}), list);
    Add(*p, File(u"C:\\src\\help.txt", u"\\private\\a0001234\\help.txt"), help);
    p->output.outputName = u"Demo.sis", p->output.outputFolder = u"C:\\Work\\Demo\\";
    return p;
}

// The items part of the text: after the global vendor's blank line, before the trailer.
WideText Items(const Package& p, const SourcePathResolver& resolve = {}) {
    WideText text = PackageText(p, resolve);
    size_t begin = text.find(u"\r\n\r\n", text.find(u"\r\n:\"")) + 4;
    size_t end = text.find(kBanner) - 2;
    return text.substr(begin, end - begin);
}

std::string FileBytes(const WideText& text) {
    std::string bytes = "\xff\xfe";
    for (char16_t c : text)
        bytes += {char(c & 0xff), char(c >> 8)};
    return bytes;
}

// The worked example writes its sample byte for byte. A large file is written in pieces as the
// text is built; together they are the one text.
TEST(PackageWriterTest, WorkedExampleAndALargePackageFile) {
    auto p = WorkedExample();
    EXPECT_EQ(FileBytes(PackageText(*p)), ReadBytes(TB_TEST_DATA_DIR "/pkg/worked_example.pkg"));
    for (int i = 0; i < 5000; ++i)
        Add(*p, File(u"C:\\src\\file" + WideText(size_t(i % 40), u'x') + u".txt", u"\\f.txt"));
    const SourcePathResolver resolve = [](const WideText& path) { return u"/sdk/" + path; };
    test::TempDir dir;
    const std::string path = dir.file("big.pkg");
    ASSERT_EQ(WritePackage(*p, path, resolve), 0);
    const WideText text = PackageText(*p, resolve);
    ASSERT_GT(text.size(), 200000u);
    EXPECT_EQ(ReadBytes(path), FileBytes(text));
}

TEST(PackageWriterTest, HeaderSectionsAndOptionalBlocks) {
    auto p = CreatePackage({EN});
    p->uid = 0xABCDEF, p->type = PackageType::PreinstalledAddOn, p->compress = false;
    p->logo = {true, u"C:\\img\\logo.png", u"image/png", u"", u'C', false};
    AddProperty(p->properties, std::make_unique<PackageProperty>(PackageProperty{1, 2}));
    AddProperty(p->properties, std::make_unique<PackageProperty>(PackageProperty{3, -4}));
    *AddDependency(p->packageDependencies,
                   CreateDependency(1)) = {0xa0001235, {u"Engine"}, 1, 0, -1, 2, -1, -1, true};
    const WideText start =
        u"&EN\r\n\r\n#{\"\"}, (0xabcdef), 1, 0, 0, TYPE=PP, NC\r\n\r\n%{\"\"}\r\n:\"\"\r\n\r\n"
        u"=\"C:\\img\\logo.png\", \"image/png\", \"\"\r\n\r\n+(1=2, 3=-4)\r\n\r\n"
        u"(0xa0001235), 1, 0, * ~ 2, *, *, {\"Engine\"}\r\n\r\n\r\n;---";
    EXPECT_EQ(PackageText(*p).substr(0, start.size()), start);
}

TEST(PackageWriterTest, ItemLineForms) {
    auto p = CreatePackage({EN, FR});
    auto* plain = Add(*p, std::make_unique<IncludePackageItem>(u"p.sis"));
    plain->unconditional = true, plain->uid = 0xFF;
    auto* guarded = Add(*p, std::make_unique<IncludeLanguagePackageItem>(2));
    guarded->paths = {u"e.sis", u"f.sis"}, guarded->uid = 0x10;
    auto* always = Add(*p, std::make_unique<IncludeLanguagePackageItem>(2));
    always->unconditional = true;
    auto* viewer = Add(*p, File(u"doc.pdf", u"\\ignored"));
    viewer->fileType = FileType::FM, viewer->mimeType = u"application/pdf";
    viewer->runOption = RunOption::RB, viewer->runWaitEnd = false;
    auto* local = Add(*p, std::make_unique<InstallLanguageFileItem>(2));
    local->sources = {u"a_en"}; // one short: the file still needs one entry per language
    local->target = u"\\a", local->drive = u'\0', local->fileType = FileType::FR;
    local->runOption = RunOption::RR;
    auto* dialog = Add(*p, std::make_unique<ShowDialogItem>(u"t.txt"));
    dialog->textOption = TextOption::TA;
    auto* localDialog = Add(*p, std::make_unique<ShowLanguageDialogItem>(2));
    localDialog->sources = {u"t_en.txt", u"t_fr.txt"};
    localDialog->textOption = TextOption::TE;
    EXPECT_EQ(Items(*p), u"@\"p.sis\", (0xff)\r\n"
                         u"\r\nIF NOT package(0x10)\r\n\t{\r\n\t@\"e.sis\"\r\n\t@\"f.sis\"\r\n"
                         u"\t},(0x10)\r\nENDIF\r\n"
                         u"\r\n{\r\n@\"\"\r\n@\"\"\r\n},(0x0)\r\n"
                         u"\"doc.pdf\" - \"\", FM, \"application/pdf\", RB\r\n"
                         u"\r\n{\r\n\"a_en\"\r\n\"\"\r\n}-\"!:\\a\", FR, RR, RW\r\n"
                         u"\"t.txt\" - \"\", FT, TA\r\n"
                         u"\r\n{\r\n\"t_en.txt\"\r\n\"t_fr.txt\"\r\n}-\"\", FT, TE\r\n");
}

// A quote ends a text early in the file; the document's save test shows the file kept for one
// in the package, here for one in a resolved path.
TEST(PackageWriterTest, QuoteRefusedAndFileUntouched) {
    auto p = WorkedExample();
    // Texts that never reach the file may hold quotes.
    p->logo.source = u"\"";
    Add(*p, std::make_unique<ShowDialogItem>(u"d.txt"))->name = u"say \"hi\"";
    itemAs<InstallFileItem>(p->items.first)->mimeType = u"\"";
    EXPECT_EQ(FindUnwritableText(*p), nullptr);

    WideText& help = itemAs<OptionItem>(p->items.first->next->firstChild)->names.at(1);
    help = u"A\"ide";
    EXPECT_EQ(FindUnwritableText(*p), &help);
    help = u"Aide";
    p->signing.passphrase = u"pa\"ss";
    EXPECT_EQ(FindUnwritableText(*p), &p->signing.passphrase);

    p->signing.passphrase.clear();
    test::TempDir dir;
    const std::string path = dir.write("keep.pkg", "old");
    EXPECT_EQ(WritePackage(*p, path, [](const WideText&) { return WideText(u"/q\"/x"); }),
              kErrorQuoteInText);
    EXPECT_EQ(ReadBytes(path), "old");
}

TEST(PackageWriterTest, ResolverTouchesOnlySourcesAndTheLogoFile) {
    auto p = CreatePackage({EN});
    p->logo = {true, u"logo.png", u"image/png", u"\\logo.png", u'C', false};
    Add(*p, File(u".\\a.exe", u"\\sys\\bin\\a.exe"));
    Add(*p, File(u"", u"\\empty"));
    auto* pkg = Add(*p, std::make_unique<IncludePackageItem>(u"$(EPOCROOT)\\b.sis"));
    pkg->unconditional = true;
    int calls = 0;
    const SourcePathResolver resolve = [&calls](const WideText& path) {
        ++calls;
        return u"/r/" + path;
    };
    EXPECT_EQ(Items(*p, resolve), u"=\"/r/logo.png\", \"image/png\", \"C:\\logo.png\"\r\n\r\n"
                                  u"\"/r/.\\a.exe\" - \"!:\\sys\\bin\\a.exe\", FF\r\n"
                                  u"\"\" - \"!:\\empty\", FF\r\n"
                                  u"@\"/r/$(EPOCROOT)\\b.sis\", (0x0)\r\n");
    EXPECT_EQ(calls, 3);
}

// Long lists are written in the large package file above.
TEST(PackageWriterTest, DeepNestingStaysIterative) {
    auto p = CreatePackage({EN});
    InstallItem* parent = nullptr;
    constexpr int kDepth = 50000;
    for (int level = 0; level < kDepth; ++level) {
        auto* list = Add(*p, std::make_unique<ShowOptionListItem>(), parent);
        parent = Add(*p, Option({u"o"}), list);
    }
    Add(*p, File(u"s", u"\\t"), parent);
    WideText text = PackageText(*p);
    size_t blocks = 0;
    for (size_t at = text.find(u"IF option1"); at != WideText::npos;
         at = text.find(u"IF option1", at + 1))
        ++blocks;
    EXPECT_EQ(blocks, size_t(kDepth));
    EXPECT_NE(text.find(WideText(kDepth, u'\t') + u"\"s\""), WideText::npos);
}

} // namespace
} // namespace tb
