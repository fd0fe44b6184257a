#include "views/dependencies/dependencies_view.h"

#include "document/app_settings.h"
#include "document/application.h"
#include "editing/dependency_texts.h"
#include "ui/qt_text.h"
#include "views/dependencies/dependency_dialog.h"
#include "views/removal_questions.h"
#include "views/row_list_page.h"

namespace tb {

namespace {

class DependenciesView : public RowListPage<DependencyRow> {
public:
    DependenciesView(Application& app, ui::CommandRegistry& registry, QWidget* parent);

protected:
    std::vector<std::pair<DependencyRow, QStringList>> currentRows() const override;
    // The Add form; the new dependency goes to the end of the list of its type.
    void add() override;
    // The Edit form of the row's type; its name is the current language's.
    void editRow(const DependencyRow& row) override;
    void removeRows(const std::vector<DependencyRow>& rows) override;
};

DependenciesView::DependenciesView(Application& app, ui::CommandRegistry& registry, QWidget* parent)
    : RowListPage(app, registry, QStringLiteral("Dependencies"), removal::Named(0),
                  {QStringLiteral("Name"), QStringLiteral("Version"), QStringLiteral("Type")},
                  app.settings.dependenciesViewColumns, {220, 160, 140},
                  {PackageChangeKind::Dependencies, PackageChangeKind::Languages}, parent) {}

std::vector<std::pair<DependencyRow, QStringList>> DependenciesView::currentRows() const {
    std::vector<std::pair<DependencyRow, QStringList>> rows;
    Package* package = document().package();
    if (!package)
        return rows;
    const size_t language = document().currentLanguage();
    for (const DependencyRow& row : DependencyRows(*package)) {
        const Dependency& d = *row.dependency;
        rows.emplace_back(row,
                          QStringList{ui::ToQString(language < d.names.size() ? d.names[language]
                                                                              : u""),
                                      ui::ToQString(DependencyVersionText(d)),
                                      ui::ToQString(DependencyKindText(row.kind))});
    }
    return rows;
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
        fill({DependencyRow{made, added->kind}});
}

void DependenciesView::editRow(const DependencyRow& row) {
    const size_t language = document().currentLanguage();
    std::optional<DependencyValues> values =
        AskDependencyChanges(this, *row.dependency, row.kind, language);
    if (!values)
        return;
    document().changePackage(
        PackageChangeKind::Dependencies,
        [&](Package&) { return ApplyDependencyValues(*row.dependency, *values, language); },
        changeOrigin());
}

void DependenciesView::removeRows(const std::vector<DependencyRow>& rows) {
    document().changePackage(
        PackageChangeKind::Dependencies,
        [&](Package& package) {
            bool changed = false;
            for (const DependencyRow& row : rows)
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
