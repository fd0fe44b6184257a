#pragma once

namespace tb {

class PackageDocument;

// Groups the edits of one user action that touches many items (a folder renamed or removed,
// the UID changed). Listeners hear editBatchStarted when the outermost batch begins, every
// change of it as it happens, and editBatchEnded when the outermost batch ends.
class EditBatch {
public:
    explicit EditBatch(PackageDocument& document);
    ~EditBatch();
    EditBatch(const EditBatch&) = delete;
    EditBatch& operator=(const EditBatch&) = delete;

private:
    PackageDocument& document_;
};

} // namespace tb
