#pragma once

#include "model/package.h"
#include "ui/form_dialog.h"

#include <optional>

class QLineEdit;

namespace tb {

// "Add Property" or "Edit Property": a key and a value, both typed as digits only, the key
// unique within the package.
class PropertyDialog : public ui::FormDialog {
    Q_OBJECT
public:
    // editing null: adding, both boxes start with "0".
    PropertyDialog(QWidget* owner, const PropertyList& properties, const PackageProperty* editing);

    QLineEdit* keyBox() const { return keyBox_; }
    QLineEdit* valueBox() const { return valueBox_; }
    // What OK accepted.
    const PackageProperty& property() const { return accepted_; }

private:
    PackageProperty accepted_;
    QLineEdit* keyBox_;
    QLineEdit* valueBox_;
};

// The key and value OK accepted, or none after Cancel.
std::optional<PackageProperty> AskProperty(QWidget* owner, const PropertyList& properties,
                                           const PackageProperty* editing);

} // namespace tb
