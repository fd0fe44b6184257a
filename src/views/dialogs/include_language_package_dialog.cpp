#include "views/dialogs/include_language_package_dialog.h"

#include "buildengine/path_macros.h"
#include "buildengine/sis_file.h"
#include "document/package_document.h"
#include "editing/file_checks.h"
#include "model/tables.h"
#include "ui/file_dialogs.h"
#include "ui/message_box.h"
#include "ui/qt_text.h"
#include "util/numbers.h"
#include "util/path.h"
#include "views/dialogs/action_dialogs_api.h"
#include "views/dialogs/include_package_dialog.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace tb {

namespace {

QString uidText(std::optional<uint32_t> uid) {
    return uid ? ui::ToQString(numberToText(*uid, 16)) : QString();
}

WideText packageBaseFolder(const PackageDocument& document) {
    WideText folder = fromHostPath(document.folder());
    if (folder.empty() || folder.back() != u'/')
        folder.push_back(u'/');
    return folder;
}

} // namespace

IncludeLanguagePackageDialog::IncludeLanguagePackageDialog(
    QWidget* owner, PackageDocument& document, const IncludeLanguagePackageItem& package)
    : FormDialog(owner, QStringLiteral("Include Language Dependent Package")), document_(document) {
    const std::vector<uint32_t>& languages = document_.package()->languages;
    for (size_t i = 0; i < languages.size(); ++i) {
        const WideText path = i < package.paths.size() ? package.paths[i] : WideText();
        rows_.push_back({path, path, path.empty() ? std::nullopt : std::optional(package.uid)});
    }

    auto* uidRow = new QHBoxLayout;
    uidRow->addWidget(new QLabel(QStringLiteral("UID:"), this));
    uid_ = new QLabel(
        package.paths.empty() || package.paths[0].empty() ? QString() : uidText(package.uid), this);
    uidRow->addWidget(uid_, 1);
    body()->addLayout(uidRow);

    list_ = new QTreeWidget(this);
    list_->setRootIsDecorated(false);
    list_->setHeaderLabels({QStringLiteral("Language"), QStringLiteral("Source")});
    list_->setMinimumSize(480, 160);
    for (size_t i = 0; i < languages.size(); ++i) {
        auto* item = new QTreeWidgetItem(list_);
        item->setText(0, ui::ToQString(LanguageDisplayName(languages[i])));
        showRow(i);
    }
    list_->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    body()->addWidget(list_, 1);

    auto* browseRow = new QHBoxLayout;
    browseRow->addStretch(1);
    browse_ = new QPushButton(QStringLiteral("Browse..."), this);
    browse_->setAutoDefault(false);
    browse_->setEnabled(false);
    browseRow->addWidget(browse_);
    body()->addLayout(browseRow);

    onlyIfNotInstalled_ = new QCheckBox(QString::fromLatin1(kInstallOnlyIfNotInstalled), this);
    onlyIfNotInstalled_->setChecked(!package.unconditional);
    body()->addWidget(onlyIfNotInstalled_);

    connect(list_, &QTreeWidget::itemSelectionChanged, this,
            [this] { browse_->setEnabled(!list_->selectedItems().isEmpty()); });
    connect(list_, &QTreeWidget::itemDoubleClicked, this, [this] { browse(); });
    connect(browse_, &QPushButton::clicked, this, [this] { browse(); });
    if (!rows_.empty())
        list_->setCurrentItem(list_->topLevelItem(0));
    addCheck([this] { return checkRows(); });
}

void IncludeLanguagePackageDialog::showRow(size_t row) {
    list_->topLevelItem(int(row))->setText(1, ui::ToQString(rows_[row].shown));
}

void IncludeLanguagePackageDialog::browse() {
    const QList<QTreeWidgetItem*> selected = list_->selectedItems();
    if (selected.isEmpty())
        return;
    const int row = list_->indexOfTopLevelItem(selected.front());
    const QString chosen =
        ui::GetOpenFileName(this, QStringLiteral("Select SIS File"),
                            QStringLiteral("Symbian Installation File (*.sis *.sisx)"),
                            ui::HostPathToQString(document_.folder()));
    if (chosen.isEmpty() || row < 0)
        return;
    uint32_t uid = 0;
    const ErrorCode result = ReadSisUid(ui::ToHostPath(chosen), uid);
    if (result != err::kOk) {
        ui::ShowError(this, result == kErrorNotSisFile
                                ? QStringLiteral("The selected file is not a SIS file or it is "
                                                 "corrupt.")
                                : QStringLiteral("The file could not be opened. The file is in "
                                                 "use by another application or you don't have "
                                                 "permission to access the file."));
        list_->setFocus(Qt::OtherFocusReason);
        return;
    }
    const WideText path = ui::ToWide(chosen);
    rows_[size_t(row)] = {path,
                          MakeStoredPath(path, packageBaseFolder(document_),
                                         document_.buildConfiguration().sdks(), kHostPathStyle),
                          uid};
    showRow(size_t(row));
    uid_->setText(uidText(uid));
}

std::optional<ui::FormProblem> IncludeLanguagePackageDialog::checkRows() const {
    for (const Row& row : rows_) {
        if (row.stored.empty())
            return ui::FormProblem{list_, QStringLiteral("You must select a source file for each "
                                                         "language.")};
    }
    for (const Row& row : rows_) {
        if (row.uid != rows_.front().uid)
            return ui::FormProblem{list_, QStringLiteral("All SIS files must have the same UID. "
                                                         "Please choose different files.")};
    }
    return std::nullopt;
}

LocalizedText IncludeLanguagePackageDialog::storedPaths() const {
    LocalizedText paths;
    for (const Row& row : rows_)
        paths.push_back(row.stored);
    return paths;
}

uint32_t IncludeLanguagePackageDialog::chosenUid() const {
    return rows_.empty() ? 0 : rows_.front().uid.value_or(0);
}

bool IncludeLanguagePackageDialog::unconditional() const {
    return !onlyIfNotInstalled_->isChecked();
}

std::unique_ptr<IncludeLanguagePackageItem> NewIncludeLanguagePackage(QWidget* owner,
                                                                      PackageDocument& document) {
    if (!document.isOpen())
        return nullptr;
    auto item = std::make_unique<IncludeLanguagePackageItem>(document.package()->languages.size());
    IncludeLanguagePackageDialog dialog(owner, document, *item);
    if (!dialog.run())
        return nullptr;
    item->paths = dialog.storedPaths();
    item->uid = dialog.chosenUid();
    item->unconditional = dialog.unconditional();
    return item;
}

bool EditIncludeLanguagePackage(QWidget* owner, PackageDocument& document,
                                IncludeLanguagePackageItem* package, EditOrigin by) {
    if (!document.isOpen() || !package)
        return false;
    IncludeLanguagePackageDialog dialog(owner, document, *package);
    if (!dialog.run())
        return false;
    LocalizedText paths = dialog.storedPaths();
    const uint32_t uid = dialog.chosenUid();
    const bool unconditional = dialog.unconditional();
    document.changeItem(
        package,
        [&](IncludeLanguagePackageItem& item) {
            if (item.paths == paths && item.uid == uid && item.unconditional == unconditional)
                return false;
            item.paths = std::move(paths);
            item.uid = uid;
            item.unconditional = unconditional;
            return true;
        },
        by);
    return true;
}

} // namespace tb
