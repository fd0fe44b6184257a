#include "views/general_info/general_info_view.h"

#include "document/application.h"
#include "editing/version_text.h"
#include "model/tables.h"
#include "ui/qt_text.h"
#include "ui/scrolling_content.h"
#include "ui/stored_text.h"
#include "ui/text_validators.h"
#include "views/general_info/logo_section.h"
#include "views/general_info/uid_edit.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <limits>

namespace tb {

namespace {

// A package switches type only within its group: the three installable types, or the two
// pre-installed ones. The drop-down's index is the type less the group's first.
int32_t typeGroupStart(PackageType type) {
    return type >= PackageType::PreinstalledApplication
               ? int32_t(PackageType::PreinstalledApplication)
               : int32_t(PackageType::Application);
}

int32_t typeGroupEnd(PackageType type) {
    return type >= PackageType::PreinstalledApplication ? kPackageTypeCount
                                                        : int32_t(PackageType::Patch) + 1;
}

QLineEdit* quotedTextBox(QWidget* parent) {
    auto* box = new QLineEdit(parent);
    ui::RefuseCharacters(box, ui::kQuoteRefused);
    return box;
}

} // namespace

GeneralInfoView::GeneralInfoView(Application& app, ui::CommandRegistry& registry, QWidget* parent)
    : ViewPage(app, registry, QStringLiteral("General Info"), parent) {
    auto* layout = new QVBoxLayout(ui::ScrollingContent(this));
    layout->addWidget(new QLabel(QStringLiteral("<b>General</b>"), this));
    auto* form = new QFormLayout;
    layout->addLayout(form);

    name_ = quotedTextBox(this);
    form->addRow(QStringLiteral("Package name:"), name_);
    auto* versionRow = new QHBoxLayout;
    for (size_t part = 0; part < version_.size(); ++part) {
        version_[part] = new QLineEdit(this);
        ui::AcceptNumbers(version_[part], ui::kInt32FieldMax);
        version_[part]->setMaximumWidth(80);
        if (part > 0)
            versionRow->addWidget(new QLabel(QStringLiteral("."), this));
        versionRow->addWidget(version_[part]);
    }
    versionRow->addStretch(1);
    form->addRow(QStringLiteral("Package version:"), versionRow);
    vendor_ = quotedTextBox(this);
    form->addRow(QStringLiteral("Vendor:"), vendor_);
    globalVendor_ = quotedTextBox(this);
    form->addRow(QStringLiteral("Global vendor:"), globalVendor_);

    auto* uidRow = new QHBoxLayout;
    uid_ = new QLabel(this);
    uid_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    editUid_ = new QPushButton(QStringLiteral("&Edit..."), this);
    uidRow->addWidget(uid_);
    uidRow->addWidget(editUid_);
    uidRow->addStretch(1);
    form->addRow(QStringLiteral("Package UID:"), uidRow);
    type_ = new QComboBox(this);
    form->addRow(QStringLiteral("Package type:"), type_);

    logo_ = new LogoSection(app, changeOrigin(), this);
    layout->addWidget(logo_);
    layout->addStretch(1);

    connect(editUid_, &QPushButton::clicked, this, [this] { editUid(); });
    connect(type_, &QComboBox::activated, this, [this](int index) { chooseType(index); });
    app.buildController.addListener(this);
}

GeneralInfoView::~GeneralInfoView() {
    app().buildController.removeListener(this);
}

void GeneralInfoView::refresh() {
    const Package* package = document().package();
    if (package) {
        fillHeader(*package);
    } else {
        for (QLineEdit* box : {name_, vendor_, globalVendor_})
            box->setText(QString());
        for (QLineEdit* box : version_)
            box->setText(QString());
        uid_->clear();
        type_->clear();
    }
    editUid_->setEnabled(package != nullptr);
    logo_->refresh();
}

void GeneralInfoView::fillHeader(const Package& package) {
    const size_t language = document().currentLanguage();
    auto textAt = [language](const LocalizedText& texts) {
        return language < texts.size() ? ui::ToQString(texts[language]) : QString();
    };
    ui::ShowStoredText(name_, textAt(package.names));
    ui::ShowStoredText(vendor_, textAt(package.vendors));
    ui::ShowStoredText(globalVendor_, ui::ToQString(package.globalVendor));
    const int32_t parts[] = {package.versionMajor, package.versionMinor, package.versionBuild};
    for (size_t part = 0; part < version_.size(); ++part)
        ui::ShowStoredText(version_[part], QString::number(parts[part]));
    uid_->setText(ui::ToQString(UidText(package.uid)));

    type_->clear();
    const int32_t first = typeGroupStart(package.type);
    for (int32_t type = first; type < typeGroupEnd(package.type); ++type)
        type_->addItem(ui::ToQString(PackageTypeName(type)));
    type_->setCurrentIndex(int32_t(package.type) - first);
}

void GeneralInfoView::chooseType(int index) {
    const Package* package = document().package();
    if (!package || index < 0)
        return;
    const auto type = PackageType(typeGroupStart(package->type) + index);
    document().changePackage(
        PackageChangeKind::Header,
        [type](Package& p) {
            if (p.type == type)
                return false;
            p.type = type;
            return true;
        },
        changeOrigin());
}

void GeneralInfoView::editUid() {
    const Package* package = document().package();
    if (!package)
        return;
    if (std::optional<uint32_t> uid = AskPackageUid(window(), package->uid))
        ChangePackageUid(document(), *uid, changeOrigin());
    if ((package = document().package()))
        uid_->setText(ui::ToQString(UidText(package->uid)));
}

void GeneralInfoView::commitEdits() {
    PackageDocument& document = this->document();
    // A view that missed changes shows stale texts; it has nothing typed since it was left.
    if (!document.isOpen() || needsRefresh())
        return;
    const size_t language = document.currentLanguage();
    document.changePackage(
        PackageChangeKind::Header,
        [&](Package& p) {
            bool changed = false;
            if (language < p.names.size())
                changed |= ui::TakeTypedText(name_, p.names[language]);
            if (language < p.vendors.size())
                changed |= ui::TakeTypedText(vendor_, p.vendors[language]);
            changed |= ui::TakeTypedText(globalVendor_, p.globalVendor);
            int32_t* parts[] = {&p.versionMajor, &p.versionMinor, &p.versionBuild};
            for (size_t part = 0; part < version_.size(); ++part) {
                const std::optional<QString> typed = ui::TypedText(version_[part]);
                if (!typed)
                    continue;
                const std::optional<int32_t> value = ParseVersionComponent(ui::ToWide(*typed));
                if (value && *value != *parts[part]) {
                    *parts[part] = *value;
                    changed = true;
                }
            }
            return changed;
        },
        changeOrigin());
    for (QLineEdit* box : {name_, vendor_, globalVendor_})
        box->setModified(false);
    // An emptied box stands for 0; it shows what was stored.
    const Package& package = *document.package();
    const int32_t parts[] = {package.versionMajor, package.versionMinor, package.versionBuild};
    for (size_t part = 0; part < version_.size(); ++part)
        if (version_[part]->isModified())
            ui::ShowStoredText(version_[part], QString::number(parts[part]));
}

void GeneralInfoView::deactivated() {
    // Typed texts are not lost when another view changes the package meanwhile.
    commitEdits();
}

void GeneralInfoView::packageChanged(const PackageChange& change) {
    if (isOwnChange(change.origin))
        return;
    switch (change.kind) {
    case PackageChangeKind::Header:
    case PackageChangeKind::Logo:
    case PackageChangeKind::Languages:
        invalidateAfterBatch();
        break;
    default:
        break;
    }
}

void GeneralInfoView::buildSucceeded() {
    PackageDocument& document = this->document();
    if (!document.isOpen())
        return;
    // At the largest build number it stays: it never wraps to a negative one.
    const bool raised = document.changePackage(
        PackageChangeKind::Header,
        [](Package& p) {
            if (!p.output.autoIncrementVersion ||
                p.versionBuild == std::numeric_limits<int32_t>::max())
                return false;
            ++p.versionBuild;
            return true;
        },
        changeOrigin());
    if (raised && !needsRefresh())
        ui::ShowStoredText(version_[2], QString::number(document.package()->versionBuild));
}

ViewPage* CreateGeneralInfoView(Application& app, ui::CommandRegistry& registry, QWidget* parent) {
    return new GeneralInfoView(app, registry, parent);
}

} // namespace tb
