#include "views/dependencies/dependencies_view.h"

#include "document/app_settings.h"
#include "document/application.h"
#include "editing/dependency_texts.h"
#include "ui/qt_text.h"
#include "views/dependencies/dependency_dialog.h"
#include "views/list_view_page.h"
#include "views/removal_questions.h"

#include <QTreeView>

#include <algorithm>

namespace tb {

namespace {

class DependenciesView : public ListViewPage {
public:
    DependenciesView(Application& app, ui::CommandRegistry& registry, QWidget* parent);

protected:
    void refresh() override;
    // The Add form; the new dependency goes to the end of the list of its type.
    void add() override;
    // The Edit form of the row's type; its name is the current language's.
    void edit(int row) override;
    void remove(const QList<int>& rows) override;

private:
    // Refills the rows and selects those showing one of selected.
    void fill(const std::vector<const Dependency*>& selected);

    std::vector<DependencyRow> rows_;
};

DependenciesView::DependenciesView(Application& app, ui::CommandRegistry& registry, QWidget* parent)
    : ListViewPage(app, registry, QStringLiteral("Dependencies"), removal::Named(0),
                   {QStringLiteral("Name"), QStringLiteral("Version"), QStringLiteral("Type")},
                   app.settings.dependenciesViewColumns, {220, 160, 140},
                   {PackageChangeKind::Dependencies, PackageChangeKind::Languages}, parent) {}

void DependenciesView::refresh() {
    std::vector<const Dependency*> selected;
    for (int row : list()->selectedRows())
        if (size_t(row) < rows_.size())
            selected.push_back(rows_[size_t(row)].dependency);
    fill(selected);
}

void DependenciesView::fill(const std::vector<const Dependency*>& selected) {
    rows_.clear();
    if (Package* package = document().package())
        rows_ = DependencyRows(*package);
    const size_t language = document().currentLanguage();
    std::vector<QStringList> texts;
    std::vector<int> selectedRows;
    for (const DependencyRow& row : rows_) {
        const Dependency& d = *row.dependency;
        if (std::find(selected.begin(), selected.end(), &d) != selected.end())
            selectedRows.push_back(int(texts.size()));
        texts.push_back({ui::ToQString(language < d.names.size() ? d.names[language] : u""),
                         ui::ToQString(DependencyVersionText(d)),
                         ui::ToQString(DependencyKindText(row.kind))});
    }
    setRows(texts, selectedRows);
}

void DependenciesView::add() {
    if (!document().isOpen())
        return;
    std::optional<NewDependency> added = AskNewDependency(this);
    if (!added)
        return;
    const size_t language = document().currentLanguage();
    Dependency* made = nullptr;
    document().changePackage(
        PackageChangeKind::Dependencies,
        [&](Package& package) {
            std::unique_ptr<Dependency> dependency = CreateDependency(package.languages.size());
            if (!dependency)
                return false;
            ApplyDependencyValues(*dependency, added->values, language);
            made = AddDependency(DependenciesOf(package, added->kind), std::move(dependency));
            return true;
        },
        changeOrigin());
    if (made)
        fill({made});
}

void DependenciesView::edit(int row) {
    if (row < 0 || size_t(row) >= rows_.size())
        return;
    const DependencyRow shown = rows_[size_t(row)];
    const size_t language = document().currentLanguage();
    std::optional<DependencyValues> values =
        AskDependencyChanges(this, *shown.dependency, shown.kind, language);
    if (!values)
        return;
    document().changePackage(
        PackageChangeKind::Dependencies,
        [&](Package&) { return ApplyDependencyValues(*shown.dependency, *values, language); },
        changeOrigin());
}

void DependenciesView::remove(const QList<int>& rows) {
    std::vector<DependencyRow> removed;
    for (int row : rows)
        if (row >= 0 && size_t(row) < rows_.size())
            removed.push_back(rows_[size_t(row)]);
    list()->table()->clearSelection(); // its rows are about to go
    document().changePackage(
        PackageChangeKind::Dependencies,
        [&](Package& package) {
            bool changed = false;
            for (const DependencyRow& row : removed)
                changed |= RemoveDependency(DependenciesOf(package, row.kind), row.dependency);
            return changed;
        },
        changeOrigin());
}

} // namespace

ViewPage* CreateDependenciesView(Application& app, ui::CommandRegistry& registry, QWidget* parent) {
    return new DependenciesView(app, registry, parent);
}

} // namespace tb
