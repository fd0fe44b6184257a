#pragma once

#include <cstddef>

namespace tb {

class InstallItem;

// Where an item change was raised: the installation sequence (or file overview), the phone
// view, or the install-file dialogs.
enum class ItemChangeSource { Sequence, Phone, FileDialog };
enum class ItemChangeType { Added, Changed, Removed };

struct ItemChange {
    ItemChangeSource source;
    ItemChangeType type;
    const InstallItem* item;
    const void* origin; // the view that raised it; it ignores its own changes
};

// The views hear the document's events through this, in registration order.
class DocumentListener {
public:
    virtual ~DocumentListener() = default;
    virtual void documentCreated() {}
    virtual void documentOpened() {}
    virtual void documentSaved() {}
    virtual void documentClosed() {}
    // Write pending edits of the controls into the package.
    virtual void commitEdits() {}
    virtual void currentLanguageChanged(size_t /*languageIndex*/) {}
    virtual void itemChanged(const ItemChange& /*change*/) {}
};

} // namespace tb
