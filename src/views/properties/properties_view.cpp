#include "views/properties/properties_view.h"

#include "document/app_settings.h"
#include "document/application.h"
#include "ui/qt_text.h"
#include "util/numbers.h"
#include "views/list_view_page.h"
#include "views/properties/property_dialog.h"
#include "views/removal_questions.h"

#include <QTreeView>

namespace tb {

namespace {

class PropertiesView : public ListViewPage {
public:
    PropertiesView(Application& app, ui::CommandRegistry& registry, QWidget* parent);

protected:
    void refresh() override;
    // Appends the property the dialog accepted and selects its row.
    void add() override;
    void edit(int row) override;
    void remove(const QList<int>& rows) override;

private:
    PackageProperty* propertyAt(int row) const;

    std::vector<PackageProperty*> rows_;
};

PropertiesView::PropertiesView(Application& app, ui::CommandRegistry& registry, QWidget* parent)
    : ListViewPage(app, registry, QStringLiteral("Properties"), removal::Properties(),
                   {QStringLiteral("Key"), QStringLiteral("Value")},
                   app.settings.propertiesViewColumns, {120, 120}, {PackageChangeKind::Properties},
                   parent) {}

PackageProperty* PropertiesView::propertyAt(int row) const {
    return row >= 0 && size_t(row) < rows_.size() ? rows_[size_t(row)] : nullptr;
}

void PropertiesView::refresh() {
    rows_.clear();
    std::vector<QStringList> texts;
    if (const Package* package = document().package()) {
        for (const auto& property : package->properties) {
            rows_.push_back(property.get());
            texts.push_back({ui::ToQString(intToText(property->key)),
                             ui::ToQString(intToText(property->value))});
        }
    }
    // Properties are only appended or removed: the selection keeps its row numbers.
    const QList<int> selected = list()->selectedRows();
    setRows(texts, {selected.begin(), selected.end()});
}

void PropertiesView::add() {
    Package* package = document().package();
    if (!package)
        return;
    std::optional<PackageProperty> added = AskProperty(this, package->properties, nullptr);
    if (!added)
        return;
    list()->table()->clearSelection();
    const bool done = document().changePackage(
        PackageChangeKind::Properties,
        [&](Package& p) {
            return AddProperty(p.properties, std::make_unique<PackageProperty>(*added)) != nullptr;
        },
        changeOrigin());
    if (done)
        list()->selectRow(int(rows_.size()) - 1);
}

void PropertiesView::edit(int row) {
    PackageProperty* property = propertyAt(row);
    Package* package = document().package();
    if (!property || !package)
        return;
    std::optional<PackageProperty> edited = AskProperty(this, package->properties, property);
    if (!edited)
        return;
    document().changePackage(
        PackageChangeKind::Properties,
        [&](Package&) {
            if (property->key == edited->key && property->value == edited->value)
                return false;
            *property = *edited;
            return true;
        },
        changeOrigin());
}

void PropertiesView::remove(const QList<int>& rows) {
    std::vector<const PackageProperty*> removed;
    for (int row : rows)
        if (const PackageProperty* property = propertyAt(row))
            removed.push_back(property);
    list()->table()->clearSelection();
    document().changePackage(
        PackageChangeKind::Properties,
        [&](Package& package) {
            bool changed = false;
            for (const PackageProperty* property : removed)
                changed |= RemoveProperty(package.properties, property);
            return changed;
        },
        changeOrigin());
}

} // namespace

ViewPage* CreatePropertiesView(Application& app, ui::CommandRegistry& registry, QWidget* parent) {
    return new PropertiesView(app, registry, parent);
}

} // namespace tb
