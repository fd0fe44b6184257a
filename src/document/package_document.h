#pragma once

#include "buildengine/build_configuration.h"
#include "document/document_listener.h"
#include "editing/item_place.h"
#include "editing/user_folder_tree.h"
#include "model/package.h"
#include "util/error_code.h"
#include "util/listener_list.h"

#include <concepts>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <type_traits>
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

// The one open package and its life cycle: create, open, save, close, export, build; and the
// only way to change the package. Operations return the program's error codes; the front end
// picks the message.
class PackageDocument {
public:
    PackageDocument(AppSettings& settings, RecentFileList& recentFiles,
                    BuildConfiguration& configuration, BuildController* buildController);
    ~PackageDocument();
    PackageDocument(const PackageDocument&) = delete;
    PackageDocument& operator=(const PackageDocument&) = delete;

    // Listeners may come and go, or be destroyed having removed themselves, while they are
    // told of an event (see ListenerList).
    void addListener(DocumentListener* listener) { listeners_.add(listener); }
    void removeListener(DocumentListener* listener) { listeners_.remove(listener); }

    // Writes the new package; its folder is absolute whatever the location, and its output
    // folder empty: it builds next to the package file.
    ErrorCode create(const NewPackageRequest& request);
    // Reads a package: an empty output name gets the package's own, a relative output folder
    // is taken from the package's folder, and an output folder that is the package's folder
    // is kept empty (OutputFolderPath reads it as the package's folder).
    ErrorCode open(const std::string& path, bool addToRecent);
    // The entry is moved to the front before the opened event.
    ErrorCode openRecent(size_t index);
    ErrorCode save();
    // Asks "Save any changes?" for an open package and saves on Yes; true when the caller may
    // go on. A failed save is reported through prompt and stops, so no change is lost.
    bool saveWithQuestion(UserPrompt& prompt);
    // saveWithQuestion, then closes the package when the caller may go on.
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

    // Raised before a save, a build or the close question.
    void commitEdits();

    // Edits. Each changes the open package, marks the document modified and then tells the
    // listeners, with `by` (or origin) so that whoever made the edit can skip its own event.
    // Refused (false or null, nothing changed) without an open package, and while the
    // listeners are being told of an item or package change: a later listener would be
    // handed an item the edit may have destroyed.

    // Puts item, with any subtree it has, at place; Added. Returns the item, now owned by the
    // package, or null when refused (the item is then destroyed).
    InstallItem* insertItem(std::unique_ptr<InstallItem> item, ItemPlace place, EditOrigin by);
    // Calls change(*item) with the item's own class; Changed. A change that returns bool tells
    // whether it changed anything: false marks nothing and tells nobody.
    template <class Item, class Change>
    requires std::derived_from<Item, InstallItem>
    bool changeItem(Item* item, Change&& change, EditOrigin by);
    // Takes item and its subtree out of the sequence, tells Removed, then destroys them: the
    // pointers are valid while the listeners are told, and never after.
    bool removeItem(InstallItem* item, EditOrigin by);
    // Moves item and its subtree to place; Moved. Refused when place is item itself or lies
    // in its subtree; a place where item already is changes nothing and tells nobody.
    bool moveItem(InstallItem* item, ItemPlace place, EditOrigin by);
    // The installation sequence's Move Up and Move Down (MoveUpPlace, MoveDownPlace); false
    // when item stays where it is.
    bool moveItemUp(InstallItem* item, EditOrigin by);
    bool moveItemDown(InstallItem* item, EditOrigin by);

    // Any change of the package but its items and its languages: change(package), then
    // packageChanged(kind). A change returning bool works as with changeItem. Refused for
    // Languages, which only setLanguages changes.
    template <class Change>
    bool changePackage(PackageChangeKind kind, Change&& change, const void* origin);
    // The languages, through SetLanguages: every per-language text follows its language. The
    // shown language stays the same language, or becomes the first when it was dropped.
    // packageChanged(Languages), then currentLanguageChanged when the shown index moved.
    // Refused for an empty list and for one naming a language twice.
    bool setLanguages(const std::vector<uint32_t>& languages, const void* origin);

    // Inside an EditBatch.
    bool inEditBatch() const { return batchDepth_ > 0; }

    RecentFileList& recentFiles() { return recentFiles_; }
    // The user's sub-folders of the private folder: rebuilt from the targets on create and
    // open, emptied on close, never written to the package file.
    UserFolderTree& userFolders() { return userFolders_; }
    const UserFolderTree& userFolders() const { return userFolders_; }
    BuildConfiguration& buildConfiguration() { return configuration_; }
    BuildController* buildController() { return buildController_; }

private:
    friend class EditBatch;
    using ItemMutation = std::function<bool(InstallItem&)>;
    using PackageMutation = std::function<bool(Package&)>;

    // A mutation that may return nothing: then it always changed something.
    template <class Change, class Target> static bool applyChange(Change& change, Target& target) {
        if constexpr (std::is_void_v<std::invoke_result_t<Change&, Target&>>) {
            change(target);
            return true;
        } else {
            return bool(change(target));
        }
    }

    template <class Event> void notify(Event event);
    bool editable() const { return package_ && changeDepth_ == 0; }
    bool applyItemChange(InstallItem* item, const ItemMutation& change, EditOrigin by);
    bool applyPackageChange(PackageChangeKind kind, const PackageMutation& change,
                            const void* origin);
    // Marks the document modified and tells the listeners.
    void itemEdited(ItemChangeType type, const InstallItem* item, EditOrigin by);
    void packageEdited(PackageChangeKind kind, const void* origin);
    void beginBatch();
    void endBatch();
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
    UserFolderTree userFolders_;
    std::string fileName_;
    std::string filePath_;
    std::string folder_;
    size_t currentLanguage_ = 0;
    bool modified_ = false;
    bool notifyEnabled_ = true;
    // Item and package changes being told; edits wait for them to end.
    size_t changeDepth_ = 0;
    size_t batchDepth_ = 0;
    ListenerList<DocumentListener> listeners_;
};

template <class Event> void PackageDocument::notify(Event event) {
    if (notifyEnabled_)
        listeners_.notify(event);
}

template <class Item, class Change>
requires std::derived_from<Item, InstallItem>
bool PackageDocument::changeItem(Item* item, Change&& change, EditOrigin by) {
    static_assert(!std::is_const_v<Item>, "an edit needs a changeable item");
    return applyItemChange(
        item,
        [&change](InstallItem& target) { return applyChange(change, static_cast<Item&>(target)); },
        by);
}

template <class Change>
bool PackageDocument::changePackage(PackageChangeKind kind, Change&& change, const void* origin) {
    return applyPackageChange(
        kind, [&change](Package& package) { return applyChange(change, package); }, origin);
}

} // namespace tb
