#include "document/package_document.h"

#include "buildengine/build_controller.h"
#include "buildengine/path_macros.h"
#include "document/app_settings.h"
#include "document/messages.h"
#include "document/recent_file_list.h"
#include "document/user_prompt.h"
#include "editing/output_folder.h"
#include "model/package_reader.h"
#include "model/package_writer.h"
#include "model/tables.h"
#include "util/names.h"
#include "util/path.h"
#include "util/text_convert.h"

#include <algorithm>
#include <filesystem>

namespace fs = std::filesystem;

namespace tb {

namespace {

std::string withSeparator(std::string folder) {
    if (folder.empty() || folder.back() != '/')
        folder += '/';
    return folder;
}

std::u16string_view typeName(const Package& package) {
    return PackageTypeDocumentName(int32_t(package.type));
}

bool isDirectory(const std::string& path) {
    std::error_code ignored;
    return !path.empty() && fs::is_directory(path, ignored);
}

// The location as remembered for the next package; a relative one would follow the working
// folder.
std::string absoluteFolder(const std::string& location) {
    std::error_code failed;
    fs::path absolute = fs::absolute(location, failed);
    if (location.empty() || failed)
        return location;
    std::string folder = absolute.lexically_normal().string();
    while (folder.size() > 1 && folder.back() == '/')
        folder.pop_back();
    return folder;
}

// A relative output folder lies under the package's folder, as its source paths do (either
// separator). Macro paths need an SDK and stay for the build's validation to judge.
WideText resolveOutputFolder(const WideText& stored, const std::string& packageFolder) {
    if (stored.empty() || stored.front() == u'$')
        return stored;
    return ExpandSourcePath(stored, fromHostPath(withSeparator(packageFolder)), SdkInfo{},
                            BuildPlatform::Gcce, BuildTarget::Urel, kHostPathStyle);
}

} // namespace

std::optional<std::u16string_view> CheckNewPackage(const NewPackageRequest& request) {
    if (!IsValidName(request.name))
        return messages::kInvalidPackageName;
    if (!isDirectory(request.location))
        return messages::kInvalidLocation;
    std::error_code ignored;
    if (fs::exists(NewPackageFilePath(request), ignored) &&
        !fs::is_directory(NewPackageFilePath(request), ignored))
        return messages::kPackageExists;
    return std::nullopt;
}

std::string NewPackageFilePath(const NewPackageRequest& request) {
    std::string name = wideToUtf8(request.name);
    std::string folder = withSeparator(request.location);
    if (request.createDirectory)
        folder += name + '/';
    return folder + name + ".pkg";
}

PackageDocument::PackageDocument(AppSettings& settings, RecentFileList& recentFiles,
                                 BuildConfiguration& configuration,
                                 BuildController* buildController)
    : settings_(settings), recentFiles_(recentFiles), configuration_(configuration),
      buildController_(buildController) {}

PackageDocument::~PackageDocument() = default;

void PackageDocument::setPaths(const std::string& path) {
    std::error_code ignored;
    fs::path absolute = fs::absolute(path, ignored);
    filePath_ = absolute.string();
    fileName_ = absolute.filename().string();
    folder_ = absolute.parent_path().string();
    if (folder_.empty())
        folder_.assign(1, '/');
}

// The phone view's folder model is rebuilt from the package here once that view exists.
void PackageDocument::rebuildPhoneFolders() {
    userFolders_.rebuild(*package_);
}

ErrorCode PackageDocument::create(const NewPackageRequest& request) {
    std::unique_ptr<Package> package = CreatePackage(request.languages);
    if (!package)
        return err::kOutOfMemory;
    package->type = request.type;
    package->uid = 0x80000000;
    if (request.currentLanguage < package->names.size())
        package->names[request.currentLanguage] = request.name;

    std::string name = wideToUtf8(request.name);
    const std::string location = absoluteFolder(request.location);
    std::string folder = location;
    if (request.createDirectory) {
        folder = withSeparator(folder) + name;
        std::error_code ignored; // any real problem shows up when the file is written
        fs::create_directory(folder, ignored);
    }
    package->output.outputName = request.name + u".sis"; // built next to the package

    PlatformEntry device = Platform(request.targetDevice);
    if (device.uid != 0) {
        auto dependency = CreateDependency(package->languages.size());
        dependency->uid = device.uid;
        std::fill(dependency->names.begin(), dependency->names.end(),
                  WideText(device.dependencyName));
        AddDependency(package->deviceDependencies, std::move(dependency));
    }

    std::string filePath = withSeparator(folder) + name + ".pkg";
    notifyEnabled_ = false;
    ErrorCode code = WritePackage(*package, filePath);
    notifyEnabled_ = true;
    if (code != err::kOk)
        return code;

    package_ = std::move(package);
    setPaths(filePath);
    modified_ = false;
    currentLanguage_ = request.currentLanguage;
    settings_.lastPackageLocation = fromHostPath(location);
    settings_.lastPackageTarget = uint32_t(request.targetDevice);
    recentFiles_.add(fromHostPath(filePath_), typeName(*package_));
    rebuildPhoneFolders();
    notify([](DocumentListener& l) { l.documentCreated(); });
    return err::kOk;
}

ErrorCode PackageDocument::read(const std::string& requestedPath) {
    const std::string path = requestedPath; // may be filePath_ itself, which close() clears
    close();
    std::unique_ptr<Package> package;
    ErrorCode code = LoadPackage(path, package);
    if (code != err::kOk)
        return code;

    package_ = std::move(package);
    setPaths(path);
    modified_ = false;
    OutputSettings& output = package_->output;
    if (output.outputName.empty()) {
        std::string base = fileName_.substr(0, fileName_.rfind('.'));
        output.outputName = fromHostPath(base) + u".sis";
    }
    // Empty stays empty: the build then goes next to the package wherever it lies.
    output.outputFolder = resolveOutputFolder(output.outputFolder, folder_);
    if (IsPackageOutputFolder(output.outputFolder, fromHostPath(folder_)))
        output.outputFolder.clear();

    auto& languages = package_->languages;
    auto found = std::find(languages.begin(), languages.end(), settings_.defaultLanguage);
    currentLanguage_ = found == languages.end() ? 0 : size_t(found - languages.begin());
    return err::kOk;
}

void PackageDocument::opened() {
    rebuildPhoneFolders();
    notify([](DocumentListener& l) { l.documentOpened(); });
}

ErrorCode PackageDocument::open(const std::string& path, bool addToRecent) {
    ErrorCode code = read(path);
    if (code != err::kOk)
        return code;
    if (addToRecent)
        recentFiles_.add(fromHostPath(filePath_), typeName(*package_));
    opened();
    return err::kOk;
}

ErrorCode PackageDocument::openRecent(size_t index) {
    if (index >= recentFiles_.size())
        return err::kNotFound;
    std::string path = toHostPath(recentFiles_[index].path);
    if (fs::path(path).extension().empty())
        path += ".pkg";
    ErrorCode code = read(path);
    if (code != err::kOk)
        return code;
    // Before the listeners hear of it: the recent files menu is rebuilt from the list then.
    recentFiles_.markOpened(index);
    opened();
    return err::kOk;
}

ErrorCode PackageDocument::save() {
    if (!package_)
        return err::kGeneric;
    commitEdits();
    ErrorCode code = WritePackage(*package_, filePath_);
    if (code != err::kOk)
        return code;
    recentFiles_.setTypeName(0, typeName(*package_)); // the open package is the first entry
    modified_ = false;
    notify([](DocumentListener& l) { l.documentSaved(); });
    return err::kOk;
}

bool PackageDocument::saveWithQuestion(UserPrompt& prompt) {
    if (!package_)
        return true;
    commitEdits();
    switch (prompt.askYesNoCancel(messages::kSaveChanges)) {
    case PromptAnswer::Yes:
        if (ErrorCode code = save(); code != err::kOk) {
            prompt.showError(messages::SaveMessage(code));
            return false;
        }
        return true;
    case PromptAnswer::No:
        return true;
    case PromptAnswer::Cancel:
        return false;
    }
    return false;
}

bool PackageDocument::closeWithQuestion(UserPrompt& prompt) {
    if (!saveWithQuestion(prompt))
        return false;
    close();
    return true;
}

void PackageDocument::close() {
    bool wasOpen = package_ != nullptr;
    package_.reset();
    userFolders_.clear();
    fileName_.clear();
    filePath_.clear();
    folder_.clear();
    modified_ = false;
    if (buildController_)
        buildController_->log().clear();
    if (wasOpen)
        notify([](DocumentListener& l) { l.documentClosed(); });
}

ErrorCode PackageDocument::exportTo(const SdkInfo& sdk, BuildPlatform platform, BuildTarget target,
                                    const std::string& outputPath) {
    if (!package_)
        return err::kGeneric;
    if (!IsValidName(fromHostPath(fs::path(outputPath).filename().string())))
        return err::kInvalidName;
    WideText baseFolder = fromHostPath(withSeparator(folder_));
    auto resolve = [&](const WideText& stored) {
        return ExpandSourcePath(stored, baseFolder, sdk, platform, target, kHostPathStyle);
    };
    return WritePackage(*package_, outputPath, resolve);
}

bool PackageDocument::startBuild() {
    if (!package_ || !buildController_)
        return false;
    commitEdits();
    buildController_->startBuild(filePath_, *package_, configuration_);
    return true;
}

void PackageDocument::setCurrentLanguage(size_t index) {
    if (!package_ || index >= package_->languages.size() || index == currentLanguage_)
        return;
    // Text typed in the old language belongs to it, not to the one shown next.
    commitEdits();
    currentLanguage_ = index;
    notify([index](DocumentListener& l) { l.currentLanguageChanged(index); });
}

void PackageDocument::commitEdits() {
    notify([](DocumentListener& l) { l.commitEdits(); });
}

} // namespace tb
