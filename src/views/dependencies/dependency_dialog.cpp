#include "views/dependencies/dependency_dialog.h"

#include "ui/qt_text.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

namespace tb {

namespace {

constexpr int kVersionBoxWidth = 48;

QLineEdit* versionBox(QWidget* parent, const WideText& text) {
    auto* box = new QLineEdit(ui::ToQString(text), parent);
    box->setFixedWidth(kVersionBoxWidth);
    return box;
}

} // namespace

DependencyDialog::DependencyDialog(QWidget* owner)
    : DependencyDialog(owner, DependencyForm{}, true) {}

DependencyDialog::DependencyDialog(QWidget* owner, const Dependency& dependency,
                                   DependencyKind kind, size_t language)
    : DependencyDialog(owner, DependencyFormOf(dependency, kind, language), false) {}

DependencyDialog::DependencyDialog(QWidget* owner, const DependencyForm& form, bool add)
    : FormDialog(owner, add ? QStringLiteral("Add Dependency") : QStringLiteral("Edit Dependency")),
      editKind_(form.kind) {
    auto* fields = new QFormLayout;
    nameBox_ = new QLineEdit(ui::ToQString(form.name), this);
    uidBox_ = new QLineEdit(ui::ToQString(form.uid), this);
    if (add) {
        typeBox_ = new QComboBox(this);
        for (DependencyKind kind : {DependencyKind::DevicePlatform, DependencyKind::Package})
            typeBox_->addItem(ui::ToQString(DependencyKindText(kind)));
        fields->addRow(QStringLiteral("Type:"), typeBox_);
        fields->addRow(QStringLiteral("Name:"), nameBox_);
    } else {
        typeLabel_ = new QLabel(ui::ToQString(DependencyKindText(form.kind)), this);
        fields->addRow(QStringLiteral("Name:"), nameBox_);
        fields->addRow(QStringLiteral("Type:"), typeLabel_);
    }
    fields->addRow(QStringLiteral("UID:"), uidBox_);
    body()->addLayout(fields);
    if (add || form.kind == DependencyKind::Package)
        addVersionControls(form);
    if (typeBox_)
        connect(typeBox_, &QComboBox::currentIndexChanged, this, [this] { updateEnabled(); });
    updateEnabled();
    nameBox_->setFocus(Qt::OtherFocusReason);

    addCheck([this]() -> std::optional<ui::FormProblem> {
        auto read = ReadDependencyForm(currentForm());
        if (auto* problem = std::get_if<DependencyProblem>(&read))
            return ui::FormProblem{boxOf(*problem), ui::ToQString(problem->message)};
        values_ = std::get<DependencyValues>(std::move(read));
        return std::nullopt;
    });
}

void DependencyDialog::addVersionControls(const DependencyForm& form) {
    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel(QStringLiteral("Version:"), this), 0, 0, 1, 8);
    fixedRadio_ = new QRadioButton(QStringLiteral("Fixed"), this);
    rangeRadio_ = new QRadioButton(QStringLiteral("Range"), this);
    (form.range ? rangeRadio_ : fixedRadio_)->setChecked(true);
    grid->addWidget(fixedRadio_, 1, 0);
    grid->addWidget(rangeRadio_, 2, 0);
    for (size_t i = 0; i < fixed_.size(); ++i) {
        fixed_[i] = versionBox(this, form.fixed[i]);
        grid->addWidget(fixed_[i], 1, int(i) + 1);
    }
    for (size_t i = 0; i < bounds_.size(); ++i) {
        bounds_[i] = versionBox(this, form.bounds[i]);
        // The "-" between the from-version and the to-version takes column 4.
        grid->addWidget(bounds_[i], 2, int(i < 3 ? i + 1 : i + 2));
    }
    grid->addWidget(new QLabel(QStringLiteral("-"), this), 2, 4, Qt::AlignCenter);
    grid->setColumnStretch(8, 1);
    body()->addLayout(grid);
    connect(fixedRadio_, &QRadioButton::toggled, this, [this] { updateEnabled(); });
}

DependencyKind DependencyDialog::kind() const {
    if (!typeBox_)
        return editKind_;
    return typeBox_->currentIndex() == 1 ? DependencyKind::Package : DependencyKind::DevicePlatform;
}

void DependencyDialog::updateEnabled() {
    if (!fixedRadio_)
        return;
    const bool versions = kind() == DependencyKind::Package;
    fixedRadio_->setEnabled(versions);
    rangeRadio_->setEnabled(versions);
    for (QLineEdit* box : fixed_)
        box->setEnabled(versions && fixedRadio_->isChecked());
    for (QLineEdit* box : bounds_)
        box->setEnabled(versions && rangeRadio_->isChecked());
}

DependencyForm DependencyDialog::currentForm() const {
    DependencyForm form;
    form.kind = kind();
    form.name = ui::ToWide(nameBox_->text());
    form.uid = ui::ToWide(uidBox_->text());
    if (!fixedRadio_)
        return form;
    form.range = rangeRadio_->isChecked();
    for (size_t i = 0; i < fixed_.size(); ++i)
        form.fixed[i] = ui::ToWide(fixed_[i]->text());
    for (size_t i = 0; i < bounds_.size(); ++i)
        form.bounds[i] = ui::ToWide(bounds_[i]->text());
    return form;
}

QWidget* DependencyDialog::boxOf(const DependencyProblem& problem) const {
    switch (problem.box) {
    case DependencyBox::Name:
        return nameBox_;
    case DependencyBox::Uid:
        return uidBox_;
    case DependencyBox::Fixed:
        return fixed_.at(problem.index);
    case DependencyBox::Range:
        return bounds_.at(problem.index);
    }
    return nullptr;
}

std::optional<NewDependency> AskNewDependency(QWidget* owner) {
    DependencyDialog dialog(owner);
    if (!dialog.run())
        return std::nullopt;
    return NewDependency{dialog.kind(), dialog.values()};
}

std::optional<DependencyValues> AskDependencyChanges(QWidget* owner, const Dependency& dependency,
                                                     DependencyKind kind, size_t language) {
    DependencyDialog dialog(owner, dependency, kind, language);
    if (!dialog.run())
        return std::nullopt;
    return dialog.values();
}

} // namespace tb
