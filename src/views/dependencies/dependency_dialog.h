#pragma once

#include "editing/dependency_texts.h"
#include "ui/form_dialog.h"

#include <array>
#include <optional>

class QComboBox;
class QLabel;
class QLineEdit;
class QRadioButton;

namespace tb {

// "Add Dependency" (type chosen in the dialog) or "Edit Dependency" (type fixed; a device or
// platform has no version controls). Only the version boxes of the checked form are enabled,
// and in the Add form none while "Device / Platform" is chosen.
class DependencyDialog : public ui::FormDialog {
    Q_OBJECT
public:
    // Add form: starts with "Device / Platform" and every version box on the wildcard.
    explicit DependencyDialog(QWidget* owner);
    // Edit form for a dependency of kind, its name shown in language.
    DependencyDialog(QWidget* owner, const Dependency& dependency, DependencyKind kind,
                     size_t language);

    bool isAdd() const { return typeBox_ != nullptr; }
    DependencyKind kind() const;
    // What OK accepted.
    const DependencyValues& values() const { return values_; }

    QComboBox* typeBox() const { return typeBox_; }  // Add form only
    QLabel* typeLabel() const { return typeLabel_; } // Edit forms only
    QLineEdit* nameBox() const { return nameBox_; }
    QLineEdit* uidBox() const { return uidBox_; }
    QRadioButton* fixedRadio() const { return fixedRadio_; } // null for a device/platform edit
    QRadioButton* rangeRadio() const { return rangeRadio_; }
    QLineEdit* fixedBox(size_t i) const { return fixed_.at(i); }
    QLineEdit* rangeBox(size_t i) const { return bounds_.at(i); } // from major ... to build

private:
    DependencyDialog(QWidget* owner, const DependencyForm& form, bool add);
    void addVersionControls(const DependencyForm& form);
    void updateEnabled();
    DependencyForm currentForm() const;
    QWidget* boxOf(const DependencyProblem& problem) const;

    DependencyKind editKind_;
    DependencyValues values_;

    QComboBox* typeBox_ = nullptr;
    QLabel* typeLabel_ = nullptr;
    QLineEdit* nameBox_ = nullptr;
    QLineEdit* uidBox_ = nullptr;
    QRadioButton* fixedRadio_ = nullptr;
    QRadioButton* rangeRadio_ = nullptr;
    std::array<QLineEdit*, 3> fixed_{};
    std::array<QLineEdit*, 6> bounds_{};
};

// The new dependency's kind and values, or none after Cancel.
struct NewDependency {
    DependencyKind kind;
    DependencyValues values;
};
std::optional<NewDependency> AskNewDependency(QWidget* owner);
// The values OK accepted for dependency, or none after Cancel.
std::optional<DependencyValues> AskDependencyChanges(QWidget* owner, const Dependency& dependency,
                                                     DependencyKind kind, size_t language);

} // namespace tb
