#pragma once

#include "model/item_sequence.h"
#include "util/wide_text.h"

#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

namespace tb {

enum class PackageType : int32_t {
    Application = 0,
    AddOn = 1,
    Patch = 2,
    PreinstalledApplication = 3,
    PreinstalledAddOn = 4,
};

struct PackageLogo {
    bool present = false;
    WideText source; // file on the PC
    WideText mimeType;
    WideText target; // path on the device, without drive
    char16_t drive = u'C';
    bool overrideMime = false; // true: mimeType was typed by the user
};

struct PackageProperty {
    int32_t key = 0;
    int32_t value = 0;
};

// Serves device dependencies and package dependencies; the list that holds it decides which.
// A version component of -1 means "any".
struct Dependency {
    uint32_t uid = 0;
    LocalizedText names;
    int32_t fromMajor = -1, fromMinor = -1, fromBuild = -1;
    int32_t toMajor = -1, toMinor = -1, toBuild = -1;
    bool isRange = false;
};

struct SigningSettings {
    bool signPackage = false;
    WideText passphrase;
    WideText certificate;
    WideText privateKey;
};

struct OutputSettings {
    bool autoIncrementVersion = false;
    WideText outputFolder;
    WideText outputName;
};

using DependencyList = std::vector<std::unique_ptr<Dependency>>;
using PropertyList = std::vector<std::unique_ptr<PackageProperty>>;

struct Package {
    uint32_t uid = 0;
    PackageType type = PackageType::Application;
    LocalizedText names;
    WideText globalVendor;
    LocalizedText vendors;
    bool compress = true;
    // Header options beyond TYPE and NC (SH, IU, RU, ...) as read, in order.
    std::vector<WideText> headerOptions;
    int32_t versionMajor = 1, versionMinor = 0, versionBuild = 0;
    PackageLogo logo;
    PropertyList properties;
    std::vector<uint32_t> languages;
    DependencyList deviceDependencies;
    DependencyList packageDependencies;
    ItemSequence items;
    SigningSettings signing;
    OutputSettings output;
};

// A new package with the given languages, one empty name and vendor per language; null when
// memory runs out.
std::unique_ptr<Package> CreatePackage(const std::vector<uint32_t>& languages);
void DestroyPackage(std::unique_ptr<Package>& package);

// The only way to add, remove or reorder languages: every per-language text of the package,
// at every depth of the item tree, follows its language number into the new order. Languages
// new to the package get empty texts; dropped languages lose theirs.
bool SetLanguages(Package& package, const std::vector<uint32_t>& newLanguages);

// The output folder as the host sees it: backslashes (files written on Windows have them)
// become '/', and final separators go, but the root's. An empty output folder is the package's
// own folder, packageFolder (a host folder), wherever the package file lies now.
WideText OutputFolderPath(const OutputSettings& output, std::u16string_view packageFolder);

// Where a build of package writes its .sis: OutputFolderPath, '/' and the output name. The
// validation, the build helper and the success line all use this one path.
WideText BuiltFilePath(const Package& package, std::u16string_view packageFolder);

std::unique_ptr<Dependency> CreateDependency(size_t languageCount);
Dependency* AddDependency(DependencyList& list, std::unique_ptr<Dependency> dependency);
// Finds the dependency by identity, destroys it and closes the gap; false when not in list.
bool RemoveDependency(DependencyList& list, const Dependency* dependency);

PackageProperty* AddProperty(PropertyList& list, std::unique_ptr<PackageProperty> property);
bool RemoveProperty(PropertyList& list, const PackageProperty* property);

} // namespace tb
