#include "model/package.h"

#include "util/text_convert.h"

#include <gtest/gtest.h>

namespace tb {
namespace {

constexpr uint32_t EN = 1, FR = 2, GE = 3, IT = 5;

// A package in EN, FR with a per-language text everywhere one can live, tagged "<where>-<lang>":
// names, vendors, a dependency, a language package, three nested option lists and, in the
// deepest option, a language file and a language dialog.
struct LocalizedFixture {
    std::unique_ptr<Package> p = CreatePackage({EN, FR});
    std::vector<std::pair<std::u16string, LocalizedText*>> texts;

    void tag(std::u16string where, LocalizedText& text) {
        text = {where + u"-en", where + u"-fr"};
        texts.emplace_back(std::move(where), &text);
    }
    template <class T> T* add(InstallItemKind kind, InstallItem* parent) {
        return itemAs<T>(AppendChild(p->items, CreateItem(kind, 2), parent));
    }
    LocalizedFixture() {
        tag(u"name", p->names);
        tag(u"vendor", p->vendors);
        tag(u"dep", AddDependency(p->packageDependencies, CreateDependency(2))->names);
        using K = InstallItemKind;
        tag(u"pkg", add<IncludeLanguagePackageItem>(K::IncludeLanguagePackage, nullptr)->paths);
        InstallItem* parent = nullptr;
        for (char16_t depth : std::u16string_view(u"123")) {
            parent = add<OptionItem>(K::Option, add<InstallItem>(K::ShowOptionList, parent));
            tag(u"opt" + std::u16string(1, depth), itemAs<OptionItem>(parent)->names);
        }
        tag(u"file", add<InstallLanguageFileItem>(K::LanguageFile, parent)->sources);
        tag(u"dlg", add<ShowLanguageDialogItem>(K::ShowLanguageDialog, parent)->sources);
    }
};

TEST(PackageTest, SetLanguagesReordersAddsAndDropsTextsAtEveryDepth) {
    for (const std::vector<uint32_t>& languages :
         {std::vector<uint32_t>{FR, GE}, {IT, FR, EN}, {EN}, {}}) {
        LocalizedFixture f;
        ASSERT_TRUE(SetLanguages(*f.p, languages));
        EXPECT_EQ(f.p->languages, languages);
        ASSERT_EQ(f.texts.size(), 9u);
        for (const auto& [where, text] : f.texts) {
            LocalizedText expected;
            for (uint32_t language : languages)
                expected.push_back(language == EN   ? where + u"-en"
                                   : language == FR ? where + u"-fr"
                                                    : u"");
            EXPECT_EQ(*text, expected) << languages.size() << " " << wideToUtf8(where);
        }
    }
}

TEST(PackageTest, RemoveByIdentityKeepsOrder) {
    auto p = CreatePackage({EN});
    Dependency* d[3];
    for (uint32_t uid : {10, 11, 12})
        (d[uid - 10] = AddDependency(p->deviceDependencies, CreateDependency(1)))->uid = uid;
    EXPECT_TRUE(RemoveDependency(p->deviceDependencies, d[1]));
    EXPECT_FALSE(RemoveDependency(p->packageDependencies, d[0])) << "not in that list";
    ASSERT_EQ(p->deviceDependencies.size(), 2u);
    EXPECT_EQ(p->deviceDependencies[1]->uid, 12u);
    PackageProperty* a = AddProperty(p->properties, std::make_unique<PackageProperty>());
    AddProperty(p->properties, std::make_unique<PackageProperty>(PackageProperty{3, 4}));
    EXPECT_TRUE(RemoveProperty(p->properties, a) && p->properties.size() == 1);
    EXPECT_EQ(p->properties.at(0)->key, 3);
}

} // namespace
} // namespace tb
