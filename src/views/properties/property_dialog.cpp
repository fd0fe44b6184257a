#include "views/properties/property_dialog.h"

#include "editing/property_rules.h"
#include "ui/qt_text.h"
#include "ui/text_validators.h"
#include "util/numbers.h"

#include <QFormLayout>
#include <QLineEdit>

namespace tb {

PropertyDialog::PropertyDialog(QWidget* owner, const PropertyList& properties,
                               const PackageProperty* editing)
    : FormDialog(owner,
                 editing ? QStringLiteral("Edit Property") : QStringLiteral("Add Property")) {
    const PackageProperty start = editing ? *editing : PackageProperty{};
    // Digits only as typed, no more than the field holds. A negative number read from a file
    // is shown as it is (setText does not validate), so that OK keeps it.
    keyBox_ = new QLineEdit(ui::ToQString(intToText(start.key)), this);
    valueBox_ = new QLineEdit(ui::ToQString(intToText(start.value)), this);
    for (QLineEdit* box : {keyBox_, valueBox_})
        ui::AcceptNumbers(box, ui::kInt32FieldMax, ui::NumberForm::Decimal);
    auto* fields = new QFormLayout;
    fields->addRow(QStringLiteral("Key:"), keyBox_);
    fields->addRow(QStringLiteral("Value:"), valueBox_);
    body()->addLayout(fields);
    keyBox_->selectAll();
    keyBox_->setFocus(Qt::OtherFocusReason);

    addCheck([this, &properties, editing]() -> std::optional<ui::FormProblem> {
        auto read = ReadPropertyForm(properties, ui::ToWide(keyBox_->text()),
                                     ui::ToWide(valueBox_->text()), editing);
        if (auto* problem = std::get_if<PropertyProblem>(&read))
            return ui::FormProblem{problem->box == PropertyBox::Key ? keyBox_ : valueBox_,
                                   ui::ToQString(problem->message)};
        accepted_ = std::get<PackageProperty>(read);
        return std::nullopt;
    });
}

std::optional<PackageProperty> AskProperty(QWidget* owner, const PropertyList& properties,
                                           const PackageProperty* editing) {
    PropertyDialog dialog(owner, properties, editing);
    if (!dialog.run())
        return std::nullopt;
    return dialog.property();
}

} // namespace tb
