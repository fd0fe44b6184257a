#pragma once

#include <cstddef>

namespace tb {

class InstallItem;

// Where an item change was raised: the installation sequence (or file overview), the phone
// view, or the install-file dialogs.
enum class ItemChangeSource { Sequence, Phone, FileDialog };

// What became of the item, which always comes with its subtree:
// Added: it is in the sequence now. Changed: its own fields changed, its place did not.
// Moved: it has a new place, which its links tell. Removed: it is out of the sequence already
// (no parent, no siblings) but still alive, so that listeners can drop what refers to it and
// to its subtree; it is destroyed as soon as every listener has returned.
enum class ItemChangeType { Added, Changed, Removed, Moved };

struct ItemChange {
    ItemChangeSource source;
    ItemChangeType type;
    const InstallItem* item;
    const void* origin; // the view that raised it; it ignores its own changes
};

// Who makes an edit: copied into the events the edit raises.
struct EditOrigin {
    ItemChangeSource source = ItemChangeSource::Sequence;
    const void* origin = nullptr;
};

// The parts of the package beside its items, and what the views do when one changed:
enum class PackageChangeKind {
    // UID, type, names, vendors, version, compression, header options. General Info and
    // Localization refill; Phone View rebuilds (the private folder follows the UID); File
    // Overview and Designer redo what the type decides (columns, add actions).
    Header,
    // General Info refills its logo.
    Logo,
    // Properties refills.
    Properties,
    // Device and package dependencies: Dependencies refills.
    Dependencies,
    // The language list, with every per-language text carried along; only setLanguages
    // raises it. Every view that shows per-language texts refills (General Info,
    // Localization, Dependencies, Designer with its multilingual flag).
    Languages,
    // Output and signing settings: Deployment refills.
    BuildSettings,
};

struct PackageChange {
    PackageChangeKind kind;
    const void* origin; // the view that made it; it may skip its own refresh
};

// The views hear the document's events through this, in registration order.
class DocumentListener {
public:
    virtual ~DocumentListener() = default;
    virtual void documentCreated() {}
    virtual void documentOpened() {}
    virtual void documentSaved() {}
    virtual void documentClosed() {}
    // Write pending edits of the controls into the package (through the document's edits).
    virtual void commitEdits() {}
    virtual void currentLanguageChanged(size_t /*languageIndex*/) {}
    virtual void itemChanged(const ItemChange& /*change*/) {}
    virtual void packageChanged(const PackageChange& /*change*/) {}
    // Around the edits of an EditBatch: every change in between is still told one by one;
    // a view that would redo much for each may wait for the end and refresh once.
    virtual void editBatchStarted() {}
    virtual void editBatchEnded() {}
};

} // namespace tb
