// The document's edit operations: the only code that changes an open package.
#include "document/edit_batch.h"
#include "document/package_document.h"
#include "editing/sequence_moves.h"

#include <algorithm>

namespace tb {

namespace {

// Counts a change being told to the listeners, so that edits wait for it to end.
class Telling {
public:
    explicit Telling(size_t& depth) : depth_(depth) { ++depth_; }
    ~Telling() { --depth_; }
    Telling(const Telling&) = delete;
    Telling& operator=(const Telling&) = delete;

private:
    size_t& depth_;
};

bool hasDuplicates(std::vector<uint32_t> languages) {
    std::sort(languages.begin(), languages.end());
    return std::adjacent_find(languages.begin(), languages.end()) != languages.end();
}

} // namespace

void PackageDocument::itemEdited(ItemChangeType type, const InstallItem* item, EditOrigin by) {
    modified_ = true;
    Telling telling(changeDepth_);
    const ItemChange change{by.source, type, item, by.origin};
    notify([&change](DocumentListener& l) { l.itemChanged(change); });
}

void PackageDocument::packageEdited(PackageChangeKind kind, const void* origin) {
    modified_ = true;
    Telling telling(changeDepth_);
    const PackageChange change{kind, origin};
    notify([&change](DocumentListener& l) { l.packageChanged(change); });
}

InstallItem* PackageDocument::insertItem(std::unique_ptr<InstallItem> item, ItemPlace place,
                                         EditOrigin by) {
    if (!item || !editable())
        return nullptr;
    ItemSequence& sequence = package_->items;
    InstallItem* inserted = InsertAfter(sequence, std::move(item), nullptr);
    if (!PlaceItem(sequence, inserted, place)) {
        Unlink(sequence, inserted).reset();
        return nullptr;
    }
    itemEdited(ItemChangeType::Added, inserted, by);
    return inserted;
}

bool PackageDocument::applyItemChange(InstallItem* item, const ItemMutation& change,
                                      EditOrigin by) {
    if (!item || !editable() || !change(*item))
        return false;
    itemEdited(ItemChangeType::Changed, item, by);
    return true;
}

bool PackageDocument::removeItem(InstallItem* item, EditOrigin by) {
    if (!item || !editable())
        return false;
    // Held here until every listener has let go of it.
    std::unique_ptr<InstallItem> removed = Unlink(package_->items, item);
    itemEdited(ItemChangeType::Removed, removed.get(), by);
    return true;
}

bool PackageDocument::moveItem(InstallItem* item, ItemPlace place, EditOrigin by) {
    if (!item || !editable())
        return false;
    const InstallItem* parent = item->parent;
    const InstallItem* previous = item->previous;
    if (!PlaceItem(package_->items, item, place))
        return false;
    if (item->parent != parent || item->previous != previous)
        itemEdited(ItemChangeType::Moved, item, by);
    return true;
}

bool PackageDocument::moveItemUp(InstallItem* item, EditOrigin by) {
    if (!item || !editable())
        return false;
    std::optional<ItemPlace> place = MoveUpPlace(*item);
    return place && moveItem(item, *place, by);
}

bool PackageDocument::moveItemDown(InstallItem* item, EditOrigin by) {
    if (!item || !editable())
        return false;
    std::optional<ItemPlace> place = MoveDownPlace(*item);
    return place && moveItem(item, *place, by);
}

bool PackageDocument::applyPackageChange(PackageChangeKind kind, const PackageMutation& change,
                                         const void* origin) {
    if (kind == PackageChangeKind::Languages || !editable() || !change(*package_))
        return false;
    packageEdited(kind, origin);
    return true;
}

bool PackageDocument::setLanguages(const std::vector<uint32_t>& languages, const void* origin) {
    if (!editable() || languages.empty() || hasDuplicates(languages))
        return false;
    std::vector<uint32_t>& current = package_->languages;
    if (languages == current)
        return true;
    const size_t oldIndex = currentLanguage_;
    const uint32_t shown = oldIndex < current.size() ? current[oldIndex] : current.front();
    if (!SetLanguages(*package_, languages))
        return false;
    auto found = std::find(current.begin(), current.end(), shown);
    currentLanguage_ = found == current.end() ? 0 : size_t(found - current.begin());
    packageEdited(PackageChangeKind::Languages, origin);
    if (currentLanguage_ != oldIndex)
        notify(
            [index = currentLanguage_](DocumentListener& l) { l.currentLanguageChanged(index); });
    return true;
}

void PackageDocument::beginBatch() {
    if (batchDepth_++ == 0)
        notify([](DocumentListener& l) { l.editBatchStarted(); });
}

void PackageDocument::endBatch() {
    if (--batchDepth_ == 0)
        notify([](DocumentListener& l) { l.editBatchEnded(); });
}

EditBatch::EditBatch(PackageDocument& document) : document_(document) {
    document_.beginBatch();
}

EditBatch::~EditBatch() {
    document_.endBatch();
}

} // namespace tb
