#include "model/package.h"

#include <gtest/gtest.h>

namespace tb {
namespace {

constexpr uint32_t EN = 1, FR = 2, GE = 3, IT = 5;

TEST(PackageTest, NewPackageDefaults) {
    auto p = CreatePackage({EN, FR});
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(p->languages, (std::vector<uint32_t>{EN, FR}));
    EXPECT_EQ(p->names, (LocalizedText{u"", u""}));
    EXPECT_EQ(p->vendors.size(), 2u);
    EXPECT_EQ(p->versionMajor, 1);
    EXPECT_EQ(p->versionMinor, 0);
    EXPECT_EQ(p->versionBuild, 0);
    EXPECT_EQ(p->type, PackageType::Application);
    EXPECT_TRUE(p->compress);
    EXPECT_FALSE(p->logo.present);
    EXPECT_EQ(p->logo.drive, u'C');
    EXPECT_TRUE(p->properties.empty());
    EXPECT_TRUE(p->deviceDependencies.empty());
    EXPECT_TRUE(p->items.empty());
    EXPECT_FALSE(p->signing.signPackage);

    auto d = CreateDependency(2);
    EXPECT_EQ(d->names.size(), 2u);
    for (int32_t v : {d->fromMajor, d->fromMinor, d->fromBuild, d->toMajor, d->toMinor, d->toBuild})
        EXPECT_EQ(v, -1);
    EXPECT_FALSE(d->isRange);
}

// A package in EN, FR with a per-language text everywhere one can live, tagged "<where>-<lang>".
struct LocalizedFixture {
    std::unique_ptr<Package> p = CreatePackage({EN, FR});
    OptionItem* deepOption = nullptr;
    InstallLanguageFileItem* deepFile = nullptr;
    IncludeLanguagePackageItem* langPackage = nullptr;
    ShowLanguageDialogItem* langDialog = nullptr;
    Dependency* dependency = nullptr;

    LocalizedFixture() {
        p->names = {u"name-en", u"name-fr"};
        p->vendors = {u"vendor-en", u"vendor-fr"};
        dependency = AddDependency(p->packageDependencies, CreateDependency(2));
        dependency->names = {u"dep-en", u"dep-fr"};
        langPackage = itemAs<IncludeLanguagePackageItem>(
            AppendChild(p->items, CreateItem(InstallItemKind::IncludeLanguagePackage, 2), nullptr));
        langPackage->paths = {u"pkg-en", u"pkg-fr"};

        // Three option lists deep, with language items at the bottom.
        InstallItem* parent = nullptr;
        for (int depth = 0; depth < 3; ++depth) {
            InstallItem* list =
                AppendChild(p->items, CreateItem(InstallItemKind::ShowOptionList, 2), parent);
            deepOption = itemAs<OptionItem>(
                AppendChild(p->items, CreateItem(InstallItemKind::Option, 2), list));
            deepOption->names = {u"opt-en", u"opt-fr"};
            parent = deepOption;
        }
        deepFile = itemAs<InstallLanguageFileItem>(
            AppendChild(p->items, CreateItem(InstallItemKind::LanguageFile, 2), parent));
        deepFile->sources = {u"file-en", u"file-fr"};
        langDialog = itemAs<ShowLanguageDialogItem>(
            AppendChild(p->items, CreateItem(InstallItemKind::ShowLanguageDialog, 2), parent));
        langDialog->sources = {u"dlg-en", u"dlg-fr"};
    }
};

TEST(PackageTest, SetLanguagesCarriesTextsByNumberAtEveryDepth) {
    LocalizedFixture f;
    ASSERT_TRUE(SetLanguages(*f.p, {FR, GE}));
    EXPECT_EQ(f.p->languages, (std::vector<uint32_t>{FR, GE}));
    EXPECT_EQ(f.p->names, (LocalizedText{u"name-fr", u""}));
    EXPECT_EQ(f.p->vendors, (LocalizedText{u"vendor-fr", u""}));
    EXPECT_EQ(f.dependency->names, (LocalizedText{u"dep-fr", u""}));
    EXPECT_EQ(f.langPackage->paths, (LocalizedText{u"pkg-fr", u""}));
    EXPECT_EQ(f.deepOption->names, (LocalizedText{u"opt-fr", u""}));
    EXPECT_EQ(f.deepFile->sources, (LocalizedText{u"file-fr", u""}));
    EXPECT_EQ(f.langDialog->sources, (LocalizedText{u"dlg-fr", u""}));
    // The outer option lists were converted too.
    auto* outerOption = itemAs<OptionItem>(f.p->items.first->next->firstChild);
    EXPECT_EQ(outerOption->names, (LocalizedText{u"opt-fr", u""}));
}

TEST(PackageTest, SetLanguagesReorderAddAndDrop) {
    LocalizedFixture f;
    ASSERT_TRUE(SetLanguages(*f.p, {IT, FR, EN}));
    EXPECT_EQ(f.p->names, (LocalizedText{u"", u"name-fr", u"name-en"}));
    EXPECT_EQ(f.deepFile->sources, (LocalizedText{u"", u"file-fr", u"file-en"}));

    ASSERT_TRUE(SetLanguages(*f.p, {EN}));
    EXPECT_EQ(f.p->names, (LocalizedText{u"name-en"}));
    EXPECT_EQ(f.langDialog->sources, (LocalizedText{u"dlg-en"}));

    ASSERT_TRUE(SetLanguages(*f.p, {}));
    EXPECT_TRUE(f.p->names.empty());
    EXPECT_TRUE(f.deepOption->names.empty());
}

TEST(PackageTest, RemoveByIdentityKeepsOrder) {
    auto p = CreatePackage({EN});
    Dependency* d[3];
    for (auto& slot : d)
        slot = AddDependency(p->deviceDependencies, CreateDependency(1));
    d[0]->uid = 10, d[1]->uid = 11, d[2]->uid = 12;
    EXPECT_TRUE(RemoveDependency(p->deviceDependencies, d[1]));
    ASSERT_EQ(p->deviceDependencies.size(), 2u);
    EXPECT_EQ(p->deviceDependencies[0]->uid, 10u);
    EXPECT_EQ(p->deviceDependencies[1]->uid, 12u);
    EXPECT_FALSE(RemoveDependency(p->packageDependencies, d[0])) << "not in that list";

    PackageProperty* a = AddProperty(p->properties, std::make_unique<PackageProperty>());
    AddProperty(p->properties, std::make_unique<PackageProperty>(PackageProperty{3, 4}));
    EXPECT_TRUE(RemoveProperty(p->properties, a));
    ASSERT_EQ(p->properties.size(), 1u);
    EXPECT_EQ(p->properties[0]->key, 3);
}

TEST(PackageTest, DestroyingAnOptionListTakesItsOptionsAndContents) {
    LocalizedFixture f;
    RemoveItem(f.p->items, f.p->items.first->next); // the outermost option list
    EXPECT_EQ(f.p->items.first, f.p->items.last);
    EXPECT_EQ(f.p->items.first->kind, InstallItemKind::IncludeLanguagePackage);
    DestroyPackage(f.p);
    EXPECT_EQ(f.p, nullptr);
}

} // namespace
} // namespace tb
