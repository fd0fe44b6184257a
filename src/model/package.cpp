#include "model/package.h"

#include <algorithm>
#include <new>

namespace tb {

std::unique_ptr<Package> CreatePackage(const std::vector<uint32_t>& languages) {
    try {
        auto package = std::make_unique<Package>();
        package->languages = languages;
        package->names.assign(languages.size(), WideText());
        package->vendors.assign(languages.size(), WideText());
        return package;
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

void DestroyPackage(std::unique_ptr<Package>& package) {
    package.reset();
}

namespace {

// Every per-language text list of the package, at every depth.
std::vector<LocalizedText*> localizedTexts(Package& package) {
    std::vector<LocalizedText*> lists{&package.names, &package.vendors};
    for (auto* deps : {&package.deviceDependencies, &package.packageDependencies})
        for (auto& dependency : *deps)
            lists.push_back(&dependency->names);
    for (InstallItem* item = package.items.first; item; item = NextInPreOrder(item, nullptr)) {
        switch (item->kind) {
        case InstallItemKind::LanguageFile:
            lists.push_back(&static_cast<InstallLanguageFileItem*>(item)->sources);
            break;
        case InstallItemKind::IncludeLanguagePackage:
            lists.push_back(&static_cast<IncludeLanguagePackageItem*>(item)->paths);
            break;
        case InstallItemKind::Option:
            lists.push_back(&static_cast<OptionItem*>(item)->names);
            break;
        case InstallItemKind::ShowLanguageDialog:
            lists.push_back(&static_cast<ShowLanguageDialogItem*>(item)->sources);
            break;
        default:
            break;
        }
    }
    return lists;
}

} // namespace

bool SetLanguages(Package& package, const std::vector<uint32_t>& newLanguages) {
    try {
        // Position in the old list of each new language, matched by number; -1 for new ones.
        std::vector<std::ptrdiff_t> source(newLanguages.size(), -1);
        for (size_t i = 0; i < newLanguages.size(); ++i) {
            auto found =
                std::find(package.languages.begin(), package.languages.end(), newLanguages[i]);
            if (found != package.languages.end())
                source[i] = found - package.languages.begin();
        }

        // Everything is built before anything is replaced, so running out of memory leaves
        // the package as it was.
        std::vector<LocalizedText*> lists = localizedTexts(package);
        std::vector<LocalizedText> rebuilt(lists.size());
        for (size_t l = 0; l < lists.size(); ++l) {
            rebuilt[l].resize(newLanguages.size());
            for (size_t i = 0; i < newLanguages.size(); ++i)
                if (source[i] >= 0 && size_t(source[i]) < lists[l]->size())
                    rebuilt[l][i] = (*lists[l])[size_t(source[i])];
        }
        std::vector<uint32_t> languages = newLanguages;

        for (size_t l = 0; l < lists.size(); ++l)
            lists[l]->swap(rebuilt[l]);
        package.languages.swap(languages);
        return true;
    } catch (const std::bad_alloc&) {
        return false;
    }
}

WideText OutputFolderPath(const OutputSettings& output, std::u16string_view packageFolder) {
    WideText folder = output.outputFolder.empty() ? WideText(packageFolder) : output.outputFolder;
    std::replace(folder.begin(), folder.end(), u'\\', u'/');
    while (folder.size() > 1 && folder.back() == u'/')
        folder.pop_back();
    return folder;
}

WideText BuiltFilePath(const Package& package, std::u16string_view packageFolder) {
    WideText path = OutputFolderPath(package.output, packageFolder);
    if (path.empty() || path.back() != u'/')
        path.push_back(u'/');
    return path + package.output.outputName;
}

std::unique_ptr<Dependency> CreateDependency(size_t languageCount) {
    try {
        auto dependency = std::make_unique<Dependency>();
        dependency->names.assign(languageCount, WideText());
        return dependency;
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

namespace {

template <class T> T* append(std::vector<std::unique_ptr<T>>& list, std::unique_ptr<T> entry) {
    T* raw = entry.get();
    list.push_back(std::move(entry));
    return raw;
}

template <class T> bool removeByIdentity(std::vector<std::unique_ptr<T>>& list, const T* entry) {
    auto found = std::find_if(list.begin(), list.end(),
                              [entry](const std::unique_ptr<T>& e) { return e.get() == entry; });
    if (found == list.end())
        return false;
    list.erase(found);
    return true;
}

} // namespace

Dependency* AddDependency(DependencyList& list, std::unique_ptr<Dependency> dependency) {
    return append(list, std::move(dependency));
}

bool RemoveDependency(DependencyList& list, const Dependency* dependency) {
    return removeByIdentity(list, dependency);
}

PackageProperty* AddProperty(PropertyList& list, std::unique_ptr<PackageProperty> property) {
    return append(list, std::move(property));
}

bool RemoveProperty(PropertyList& list, const PackageProperty* property) {
    return removeByIdentity(list, property);
}

} // namespace tb
