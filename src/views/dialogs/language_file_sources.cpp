#include "views/dialogs/language_file_sources.h"

#include "document/package_document.h"
#include "editing/file_checks.h"
#include "editing/file_sources.h"
#include "model/tables.h"
#include "ui/file_dialogs.h"
#include "ui/qt_text.h"
#include "util/path.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace tb {

LanguageFileSources::LanguageFileSources(PackageDocument& document, const LocalizedText& sources,
                                         const QString& browseTitle, const QString& browseFilter,
                                         QWidget* parent)
    : QWidget(parent), document_(document), browseTitle_(browseTitle), browseFilter_(browseFilter) {
    list_ = new QTreeWidget(this);
    list_->setRootIsDecorated(false);
    list_->setHeaderLabels({QStringLiteral("Language"), QStringLiteral("Source")});
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    browse_ = new QPushButton(QStringLiteral("Browse..."), this);

    const std::vector<uint32_t> languages =
        document.package() ? document.package()->languages : std::vector<uint32_t>{};
    stored_.resize(languages.size());
    chosen_.assign(languages.size(), false);
    for (size_t i = 0; i < languages.size(); ++i) {
        if (i < sources.size())
            stored_[i] = sources[i];
        auto* row = new QTreeWidgetItem(list_);
        row->setText(0, ui::ToQString(LanguageDisplayName(languages[i])));
        row->setText(1, ui::ToQString(stored_[i]));
    }
    if (list_->topLevelItemCount() > 0)
        list_->setCurrentItem(list_->topLevelItem(0));
    list_->header()->resizeSection(0, 140);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(browse_);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(list_, 1);
    layout->addLayout(buttons);
    connect(browse_, &QPushButton::clicked, this, &LanguageFileSources::browse);
    connect(list_, &QTreeWidget::itemDoubleClicked, this, [this] { browse(); });
}

LocalizedText LanguageFileSources::sources() const {
    LocalizedText out = stored_;
    const SdkList& sdks = document_.buildConfiguration().sdks();
    const WideText folder = fromHostPath(document_.folder());
    for (size_t i = 0; i < out.size(); ++i)
        if (chosen_[i])
            out[i] = StoredSourcePath(out[i], folder, sdks);
    return out;
}

WideText LanguageFileSources::firstSource() const {
    for (const WideText& source : stored_)
        if (!source.empty())
            return source;
    return {};
}

std::optional<ui::FormProblem> LanguageFileSources::problem() const {
    std::optional<size_t> missing = FirstMissingSource(stored_);
    if (!missing)
        return std::nullopt;
    list_->setCurrentItem(list_->topLevelItem(int(*missing)));
    return ui::FormProblem{list_, ui::ToQString(kSourceForEachLanguage)};
}

void LanguageFileSources::browse() {
    QTreeWidgetItem* row = list_->currentItem();
    if (!row && list_->topLevelItemCount() > 0)
        row = list_->topLevelItem(0);
    if (!row)
        return;
    const QString path = ui::GetOpenFileName(window(), browseTitle_, browseFilter_,
                                             ui::HostPathToQString(document_.folder()));
    if (path.isEmpty())
        return;
    const int index = list_->indexOfTopLevelItem(row);
    stored_[size_t(index)] = ui::ToWide(path);
    chosen_[size_t(index)] = true;
    row->setText(1, path);
    emit sourceChosen(index);
}

} // namespace tb
