#include "views/properties/properties_view.h"

#include "document/app_settings.h"
#include "document/application.h"
#include "ui/qt_text.h"
#include "util/numbers.h"
#include "views/properties/property_dialog.h"
#include "views/removal_questions.h"
#include "views/row_list_page.h"

namespace tb {

namespace {

class PropertiesView : public RowListPage<PackageProperty*> {
public:
    PropertiesView(Application& app, ui::CommandRegistry& registry, QWidget* parent);

protected:
    std::vector<std::pair<PackageProperty*, QStringList>> currentRows() const override;
    // Appends the property the dialog accepted and selects its row.
    void add() override;
    void editRow(PackageProperty* const& property) override;
    void removeRows(const std::vector<PackageProperty*>& properties) override;
};

PropertiesView::PropertiesView(Application& app, ui::CommandRegistry& registry, QWidget* parent)
    : RowListPage(app, registry, QStringLiteral("Properties"), removal::Properties(),
                  {QStringLiteral("Key"), QStringLiteral("Value")},
                  app.settings.propertiesViewColumns, {120, 120}, {PackageChangeKind::Properties},
                  parent) {}

std::vector<std::pair<PackageProperty*, QStringList>> PropertiesView::currentRows() const {
    std::vector<std::pair<PackageProperty*, QStringList>> rows;
    if (const Package* package = document().package())
        for (const auto& property : package->properties)
            rows.emplace_back(property.get(),
                              QStringList{ui::ToQString(intToText(property->key)),
                                          ui::ToQString(intToText(property->value))});
    return rows;
}

void PropertiesView::add() {
    Package* package = document().package();
    if (!package)
        return;
    std::optional<PackageProperty> added = AskProperty(this, package->properties, nullptr);
    if (!added)
        return;
    PackageProperty* made = nullptr;
    document().changePackage(
        PackageChangeKind::Properties,
        [&](Package& p) {
            made = AddProperty(p.properties, std::make_unique<PackageProperty>(*added));
            return made != nullptr;
        },
        changeOrigin());
    if (made)
        fill({made});
}

void PropertiesView::editRow(PackageProperty* const& property) {
    Package* package = document().package();
    if (!package)
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

void PropertiesView::removeRows(const std::vector<PackageProperty*>& properties) {
    document().changePackage(
        PackageChangeKind::Properties,
        [&](Package& p) {
            bool changed = false;
            for (const PackageProperty* property : properties)
                changed |= RemoveProperty(p.properties, property);
            return changed;
        },
        changeOrigin());
}

} // namespace

ViewPage* CreatePropertiesView(Application& app, ui::CommandRegistry& registry, QWidget* parent) {
    return new PropertiesView(app, registry, parent);
}

} // namespace tb
