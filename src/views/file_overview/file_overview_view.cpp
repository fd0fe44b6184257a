#include "views/file_overview/file_overview_view.h"

#include "document/app_settings.h"
#include "document/application.h"
#include "document/edit_batch.h"
#include "editing/file_rows.h"
#include "ui/item_views.h"
#include "views/dialogs/file_item_dialogs.h"
#include "views/file_overview/file_row_model.h"
#include "views/list_editor.h"
#include "views/removal_questions.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QHeaderView>
#include <QMimeData>
#include <QTreeView>
#include <QUrl>
#include <QVBoxLayout>

#include <unordered_set>

namespace tb {

namespace {

const std::vector<int> kDefaultWidths = {220, 220, 110, 200};

// The local files among what is dragged; folders are no files to install.
QStringList droppedFiles(const QMimeData* data) {
    QStringList files;
    if (!data)
        return files;
    for (const QUrl& url : data->urls())
        if (url.isLocalFile() && !QFileInfo(url.toLocalFile()).isDir())
            files << url.toLocalFile();
    return files;
}

} // namespace

FileOverviewView::FileOverviewView(Application& app, ui::CommandRegistry& registry, QWidget* parent)
    : ViewPage(app, registry, QStringLiteral("File Overview"), parent) {
    rows_ = new FileRowModel(this);
    sorted_ = new FileSortModel(*rows_, this);
    editor_ = new ListEditor(removal::Named(int(FileColumn::Target)), this);
    editor_->setModel(sorted_);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(editor_);
    setAcceptDrops(true);

    QTreeView* table = editor_->table();
    // Unsorted, in sequence order, until a header is clicked.
    table->header()->setSortIndicator(-1, Qt::AscendingOrder);
    table->setSortingEnabled(true);
    ui::ApplyColumnWidths(table, app.settings.fileViewColumns, kDefaultWidths);
    connect(table->header(), &QHeaderView::sectionResized, this,
            [this](int column, int, int width) { keepColumnWidth(column, width); });

    connect(editor_, &ListEditor::addRequested, this, &FileOverviewView::add);
    connect(editor_, &ListEditor::editRequested, this, &FileOverviewView::edit);
    connect(editor_, &ListEditor::removeRequested, this, &FileOverviewView::remove);
}

InstallFileItem* FileOverviewView::fileAt(int shownRow) const {
    return sorted_->file(shownRow);
}

void FileOverviewView::refresh() {
    const Package* package = document().package();
    rows_->reset(package ? CollectOverviewFiles(package->items) : std::vector<InstallFileItem*>{});
    showColumns();
}

void FileOverviewView::showColumns() {
    const Package* package = document().package();
    const bool reduced = package && IsPreinstalled(package->type);
    for (FileColumn column : {FileColumn::Drive, FileColumn::InstallType})
        editor_->table()->setColumnHidden(int(column), reduced);
}

void FileOverviewView::keepColumnWidth(int column, int width) {
    if (width <= 0 || column < 0 || column >= kFileColumnCount)
        return;
    std::vector<uint32_t>& stored = app().settings.fileViewColumns;
    if (stored.size() != size_t(kFileColumnCount))
        stored.assign(kDefaultWidths.begin(), kDefaultWidths.end());
    stored[size_t(column)] = uint32_t(width);
}

void FileOverviewView::add() {
    if (!document().isOpen())
        return;
    const QStringList files = ChooseFilesToAdd(this);
    if (!files.isEmpty())
        addFiles(files);
}

void FileOverviewView::addFiles(const QStringList& hostPaths) {
    std::vector<InstallFileItem*> added;
    {
        EditBatch batch(document());
        for (auto& item : NewInstallFileItems(document(), hostPaths))
            if (InstallItem* placed =
                    document().insertItem(std::move(item), ItemPlace::after(nullptr), origin()))
                if (InstallFileItem* file = AsOverviewFile(placed))
                    added.push_back(file);
    }
    if (added.empty())
        return;
    if (needsRefresh()) {
        invalidate();
        return;
    }
    // The end of the top level comes after every listed file.
    rows_->insertFiles(rows_->rowCount(), added);
    const QModelIndex last = sorted_->mapFromSource(rows_->index(rows_->rowCount() - 1, 0));
    editor_->selectRow(last.row());
    editor_->table()->scrollTo(last);
}

void FileOverviewView::edit(int shownRow) {
    InstallFileItem* file = fileAt(shownRow);
    if (!file || !EditFileItem(this, document(), file, origin(ItemChangeSource::FileDialog)))
        return;
    const int row = rows_->rowOf(file);
    if (AsOverviewFile(file))
        rows_->refreshRow(row);
    else
        rows_->removeFileRow(row);
}

void FileOverviewView::remove(const QList<int>& shownRowsLastFirst) {
    std::vector<InstallItem*> items;
    for (int row : shownRowsLastFirst)
        if (InstallFileItem* file = fileAt(row))
            items.push_back(file);
    if (items.empty())
        return;
    // The rows go first: none may outlive its item.
    if (items.size() == 1) {
        rows_->removeFileRow(rows_->rowOf(items.front()));
    } else {
        const std::unordered_set<const InstallItem*> gone(items.begin(), items.end());
        std::vector<InstallFileItem*> kept;
        kept.reserve(rows_->files().size());
        for (InstallFileItem* file : rows_->files())
            if (!gone.count(file))
                kept.push_back(file);
        rows_->reset(std::move(kept));
    }
    bool all = true;
    {
        EditBatch batch(document());
        for (InstallItem* item : items)
            all = document().removeItem(item, origin()) && all;
    }
    if (!all)
        invalidate();
}

void FileOverviewView::itemChanged(const ItemChange& change) {
    if (isOwnChange(change.origin) || !document().isOpen())
        return;
    if (inEditBatch()) {
        // Many changes to come: the rows are made again, once, when they are done.
        if (rows_->rowCount() > 0)
            rows_->clear();
        invalidateAfterBatch();
        return;
    }
    showChange(change);
}

void FileOverviewView::showChange(const ItemChange& change) {
    InstallItem* item = const_cast<InstallItem*>(change.item); // the package's, as the rows
    std::vector<InstallFileItem*> files;
    switch (change.type) {
    case ItemChangeType::Removed:
    case ItemChangeType::Moved: {
        CollectOverviewFiles(item, files);
        std::vector<const InstallItem*> gone(files.begin(), files.end());
        if (change.type == ItemChangeType::Removed) {
            // The item is unlinked already: its files are what its subtree holds.
            rows_->removeFiles(gone);
            return;
        }
        rows_->removeFiles(gone);
        if (!needsRefresh())
            insertRowsOf(item);
        return;
    }
    case ItemChangeType::Added:
        if (!needsRefresh())
            insertRowsOf(item);
        return;
    case ItemChangeType::Changed: {
        const int row = rows_->rowOf(item);
        const bool listed = AsOverviewFile(item) != nullptr;
        if (row >= 0 && listed)
            rows_->refreshRow(row);
        else if (row >= 0)
            rows_->removeFileRow(row);
        else if (listed && !needsRefresh())
            insertRowsOf(item);
        return;
    }
    }
}

void FileOverviewView::insertRowsOf(const InstallItem* item) {
    std::vector<InstallFileItem*> files;
    CollectOverviewFiles(const_cast<InstallItem*>(item), files);
    if (!files.empty())
        rows_->insertFiles(rowBefore(item), files);
}

int FileOverviewView::rowBefore(const InstallItem* item) const {
    int row = 0;
    for (InstallItem* at = document().package()->items.first; at && at != item;
         at = NextInPreOrder(at, nullptr))
        if (AsOverviewFile(at))
            ++row;
    return row;
}

void FileOverviewView::packageChanged(const PackageChange& change) {
    if (change.kind == PackageChangeKind::Header)
        showColumns();
}

void FileOverviewView::dragEnterEvent(QDragEnterEvent* event) {
    if (document().isOpen() && !droppedFiles(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void FileOverviewView::dragMoveEvent(QDragMoveEvent* event) {
    if (document().isOpen() && !droppedFiles(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void FileOverviewView::dropEvent(QDropEvent* event) {
    const QStringList files = droppedFiles(event->mimeData());
    if (!document().isOpen() || files.isEmpty())
        return;
    event->acceptProposedAction();
    addFiles(files);
}

ViewPage* CreateFileOverviewView(Application& app, ui::CommandRegistry& registry, QWidget* parent) {
    return new FileOverviewView(app, registry, parent);
}

} // namespace tb
