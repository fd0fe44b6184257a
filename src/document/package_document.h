#pragma once

#include "buildengine/build_configuration.h"
#include "document/document_listener.h"
#include "model/package.h"
#include "util/error_code.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace tb {

class AppSettings;
class BuildController;
class RecentFileList;
class UserPrompt;

// What the New Package wizard hands to Create.
struct NewPackageRequest {
    WideText name;
    PackageType type = PackageType::Application;
    std::vector<uint32_t> languages{1};
    size_t currentLanguage = 0; // position in languages
    std::string location;       // existing folder (host path)
    bool createDirectory = false;
    int32_t targetDevice = 0; // platform table index
};

// The wizard's checks before Create: the message to show, or none when the request may go on.
std::optional<std::u16string_view> CheckNewPackage(const NewPackageRequest& request);
// Where Create will write the package file.
std::string NewPackageFilePath(const NewPackageRequest& request);

// The one open package and its life cycle: create, open, save, close, export, build.
// Operations return the program's error codes; the front end picks the message.
class PackageDocument {
public:
    PackageDocument(AppSettings& settings, RecentFileList& recentFiles,
                    BuildConfiguration& configuration, BuildController* buildController);
    ~PackageDocument();
    PackageDocument(const PackageDocument&) = delete;
    PackageDocument& operator=(const PackageDocument&) = delete;

    void addListener(DocumentListener* listener);
    void removeListener(DocumentListener* listener);

    // Writes the new package; its folder and output folder are absolute whatever the location.
    ErrorCode create(const NewPackageRequest& request);
    // Reads a package: an empty output name or folder gets the package's own, a relative
    // output folder is taken from the package's folder.
    ErrorCode open(const std::string& path, bool addToRecent);
    // The entry is moved to the front before the opened event.
    ErrorCode openRecent(size_t index);
    ErrorCode save();
    // Asks "Save any changes?" for an open package; true when the caller may go on (the
    // package is then closed). A failed save is reported through prompt and stops.
    bool closeWithQuestion(UserPrompt& prompt);
    void close();
    // Writes a copy with every source path resolved for sdk, platform and target.
    ErrorCode exportTo(const SdkInfo& sdk, BuildPlatform platform, BuildTarget target,
                       const std::string& outputPath);
    // Commits the views' edits and starts a build of the open package; false without one.
    bool startBuild();

    bool isOpen() const { return package_ != nullptr; }
    Package* package() { return package_.get(); }
    const Package* package() const { return package_.get(); }
    const std::string& fileName() const { return fileName_; }
    const std::string& filePath() const { return filePath_; }
    const std::string& folder() const { return folder_; }

    size_t currentLanguage() const { return currentLanguage_; }
    void setCurrentLanguage(size_t index);

    bool modified() const { return modified_; }
    void setModified() { modified_ = true; }

    // Raised by the views.
    void commitEdits();
    void notifyItemChanged(const ItemChange& change);

    RecentFileList& recentFiles() { return recentFiles_; }
    BuildConfiguration& buildConfiguration() { return configuration_; }
    BuildController* buildController() { return buildController_; }

private:
    template <class Event> void notify(Event event);
    // Open without the recent files and the event.
    ErrorCode read(const std::string& path);
    void opened();
    void setPaths(const std::string& path);
    void rebuildPhoneFolders();

    AppSettings& settings_;
    RecentFileList& recentFiles_;
    BuildConfiguration& configuration_;
    BuildController* buildController_;

    std::unique_ptr<Package> package_;
    std::string fileName_;
    std::string filePath_;
    std::string folder_;
    size_t currentLanguage_ = 0;
    bool modified_ = false;
    bool notifyEnabled_ = true;
    std::vector<DocumentListener*> listeners_;
};

} // namespace tb
