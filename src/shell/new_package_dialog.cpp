#include "shell/new_package_dialog.h"

#include "document/app_settings.h"
#include "document/application.h"
#include "document/messages.h"
#include "model/tables.h"
#include "shell/message_box_prompt.h"
#include "shell/package_languages_dialog.h"
#include "ui/dialog_buttons.h"
#include "ui/file_dialogs.h"
#include "ui/message_box.h"
#include "ui/qt_text.h"

#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace tb {

namespace {

constexpr int kNoDevice = -1; // group nodes

constexpr const char* kTypeDescriptions[kPackageTypeCount] = {
    "A package containing an application.",
    "A package upgrading an existing package. An add-on enables adding but not replacing of "
    "files to the original package.",
    "A package patching an existing package. A patch enables both adding and replacing of "
    "files to the original package.",
    "A package containing references to pre-installed files, on the device or media card, to "
    "be included in an application package.",
    "A package upgrading an existing pre-installed package. A pre-installed add-on enables "
    "adding but not replacing of files to the original pre-installed package.",
};

struct DeviceEntry {
    const char* group; // null: top level
    const char* text;
    int32_t index;
};

constexpr DeviceEntry kDevices[] = {
    {nullptr, "Generic", 0},
    {"S60", "3rd Edition", 1},
    {"S60", "3rd Edition, FP1", 2},
    {"S60", "3rd Edition, FP2", 3},
    {"S60", "5th Edition", 4},
    {"Symbian Foundation", "Symbian^1", 5},
    {"UIQ", "3.0", 8},
    {"UIQ", "3.1", 9},
};

// A parcel drawn per type: the pre-installed kinds are outlined only, add-ons carry a plus,
// patches a cross-stripe.
QIcon TypeIcon(int type) {
    static const QColor colours[kPackageTypeCount] = {
        QColor(0x2f, 0x6f, 0xb5), QColor(0x3a, 0x9a, 0x4a), QColor(0xd0, 0x7a, 0x1c),
        QColor(0x2f, 0x6f, 0xb5), QColor(0x3a, 0x9a, 0x4a)};
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    const bool preinstalled = type >= 3;
    painter.setPen(QPen(colours[type].darker(130), preinstalled ? 2.0 : 1.0,
                        preinstalled ? Qt::DashLine : Qt::SolidLine));
    painter.setBrush(preinstalled ? QBrush(Qt::white) : QBrush(colours[type]));
    painter.drawRoundedRect(QRectF(3, 7, 26, 22), 3, 3);
    painter.setPen(QPen(preinstalled ? colours[type] : QColor(Qt::white), 2.0));
    painter.drawLine(QPointF(16, 7), QPointF(16, 29));
    if (type == 1 || type == 4) {
        painter.drawLine(QPointF(20, 18), QPointF(26, 18));
        painter.drawLine(QPointF(23, 15), QPointF(23, 21));
    } else if (type == 2) {
        painter.drawLine(QPointF(4, 26), QPointF(28, 10));
    }
    return QIcon(pixmap);
}

} // namespace

std::optional<NewPackageRequest> RunNewPackageDialog(QWidget* owner, Application& app) {
    NewPackageDialog dialog(owner, app);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.request();
}

NewPackageDialog::NewPackageDialog(QWidget* owner, Application& app)
    : QDialog(owner), app_(app) {
    setWindowTitle(QStringLiteral("New Package"));
    auto* layout = new QVBoxLayout(this);
    auto* choices = new QGridLayout;
    layout->addLayout(choices, 1);

    choices->addWidget(new QLabel(QStringLiteral("Package type:")), 0, 0);
    typeList_ = new QListWidget(this);
    typeList_->setViewMode(QListView::IconMode);
    typeList_->setMovement(QListView::Static);
    typeList_->setResizeMode(QListView::Adjust);
    typeList_->setWordWrap(true);
    typeList_->setIconSize(QSize(32, 32));
    typeList_->setGridSize(QSize(104, 72));
    for (int type = 0; type < kPackageTypeCount; ++type)
        new QListWidgetItem(TypeIcon(type), ui::ToQString(PackageTypeName(type)), typeList_);
    choices->addWidget(typeList_, 1, 0);

    description_ = new QPlainTextEdit(this);
    description_->setReadOnly(true);
    description_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    description_->setFixedHeight(description_->fontMetrics().lineSpacing() * 4 + 12);
    choices->addWidget(description_, 2, 0);
    connect(typeList_, &QListWidget::currentRowChanged, this, [this](int row) {
        description_->setPlainText(row >= 0 && row < kPackageTypeCount
                                       ? QString::fromUtf8(kTypeDescriptions[row])
                                       : QString());
    });

    choices->addWidget(new QLabel(QStringLiteral("Device / Platform:")), 0, 1);
    deviceTree_ = new QTreeWidget(this);
    deviceTree_->setHeaderHidden(true);
    deviceTree_->setRootIsDecorated(true);
    choices->addWidget(deviceTree_, 1, 1, 2, 1);
    choices->setColumnStretch(0, 3);
    choices->setColumnStretch(1, 2);
    buildDeviceTree();

    auto* fields = new QGridLayout;
    layout->addLayout(fields);
    fields->addWidget(new QLabel(QStringLiteral("Package name:")), 0, 0);
    nameEdit_ = new QLineEdit(QStringLiteral("PackageName"), this);
    fields->addWidget(nameEdit_, 0, 1, 1, 2);
    fields->addWidget(new QLabel(QStringLiteral("Location:")), 1, 0);
    locationEdit_ = new QLineEdit(ui::ToQString(app.settings.lastPackageLocation), this);
    fields->addWidget(locationEdit_, 1, 1);
    browse_ = new QPushButton(QStringLiteral("&Browse..."), this);
    browse_->setAutoDefault(false);
    fields->addWidget(browse_, 1, 2);
    createDirectory_ = new QCheckBox(QStringLiteral("Create &directory for package"), this);
    fields->addWidget(createDirectory_, 2, 1, 1, 2);

    auto* buttons = new QHBoxLayout;
    layout->addLayout(buttons);
    languagesButton_ = new QPushButton(QStringLiteral("&Languages..."), this);
    languagesButton_->setAutoDefault(false);
    buttons->addWidget(languagesButton_);
    buttons->addStretch(1);
    create_ = ui::AddDialogButtons(*this, *buttons, QStringLiteral("Create"),
                                   QStringLiteral("Cancel"), [this] { tryCreate(); })
                  .accept;

    connect(nameEdit_, &QLineEdit::textChanged, this, &NewPackageDialog::updateCreateButton);
    connect(locationEdit_, &QLineEdit::textChanged, this, &NewPackageDialog::updateCreateButton);
    connect(deviceTree_, &QTreeWidget::currentItemChanged, this,
            &NewPackageDialog::updateCreateButton);
    connect(browse_, &QPushButton::clicked, this, &NewPackageDialog::browse);
    connect(languagesButton_, &QPushButton::clicked, this, &NewPackageDialog::editLanguages);

    typeList_->setCurrentRow(0);
    selectDevice(int32_t(app.settings.lastPackageTarget));
    if (!deviceTree_->currentItem())
        selectDevice(0); // a stored index the tree does not offer
    nameEdit_->selectAll();
    nameEdit_->setFocus();
    updateCreateButton();
    resize(560, 460);
}

void NewPackageDialog::buildDeviceTree() {
    QTreeWidgetItem* group = nullptr;
    for (const DeviceEntry& device : kDevices) {
        QTreeWidgetItem* parent = nullptr;
        if (device.group) {
            if (!group || group->text(0) != QLatin1String(device.group)) {
                group = new QTreeWidgetItem(deviceTree_, {QString::fromUtf8(device.group)});
                group->setData(0, Qt::UserRole, kNoDevice);
            }
            parent = group;
        }
        auto* item = parent ? new QTreeWidgetItem(parent, {QString::fromUtf8(device.text)})
                            : new QTreeWidgetItem(deviceTree_, {QString::fromUtf8(device.text)});
        item->setData(0, Qt::UserRole, device.index);
    }
    deviceTree_->expandAll();
}

void NewPackageDialog::selectDevice(int32_t index) {
    for (QTreeWidgetItemIterator it(deviceTree_); *it; ++it)
        if ((*it)->data(0, Qt::UserRole).toInt() == index && index != kNoDevice) {
            deviceTree_->setCurrentItem(*it);
            return;
        }
}

void NewPackageDialog::updateCreateButton() {
    // A group node names no device: Create waits for one.
    const QTreeWidgetItem* device = deviceTree_->currentItem();
    create_->setEnabled(!nameEdit_->text().isEmpty() && !locationEdit_->text().isEmpty() &&
                        device && device->data(0, Qt::UserRole).toInt() != kNoDevice);
}

void NewPackageDialog::browse() {
    const QString start =
        QFileInfo(locationEdit_->text()).isDir() ? locationEdit_->text() : QDir::homePath();
    const QString folder =
        ui::GetExistingFolder(this, QStringLiteral("Package Location"),
                              QStringLiteral("Select location for the package and its files"),
                              start);
    if (!folder.isEmpty())
        locationEdit_->setText(QDir::toNativeSeparators(folder));
}

void NewPackageDialog::editLanguages() {
    RunPackageLanguagesDialog(this, languages_, currentLanguage_, false, app_.settings);
}

NewPackageRequest NewPackageDialog::collect() const {
    NewPackageRequest request;
    request.name = ui::ToWide(nameEdit_->text());
    request.type = PackageType(std::max(typeList_->currentRow(), 0));
    request.languages = languages_;
    request.currentLanguage = currentLanguage_;
    request.location = ui::ToHostPath(locationEdit_->text());
    request.createDirectory = createDirectory_->isChecked();
    const QTreeWidgetItem* device = deviceTree_->currentItem();
    request.targetDevice = device ? device->data(0, Qt::UserRole).toInt() : 0;
    return request;
}

void NewPackageDialog::refuse(std::u16string_view message, QWidget* offending) {
    ui::ShowError(this, ui::ToQString(message));
    offending->setFocus();
    if (auto* edit = qobject_cast<QLineEdit*>(offending))
        edit->selectAll();
}

void NewPackageDialog::tryCreate() {
    if (!create_->isEnabled())
        return; // Return pressed while Create is disabled
    const NewPackageRequest request = collect();
    std::optional<std::u16string_view> problem = CheckNewPackage(request);
    if (problem == messages::kInvalidPackageName)
        return refuse(*problem, nameEdit_);
    if (problem == messages::kInvalidLocation)
        return refuse(*problem, locationEdit_);

    MessageBoxPrompt prompt(this);
    if (!app_.document.saveWithQuestion(prompt))
        return;
    // Looked at after the save: the open package may be the one in the way.
    if ((problem = CheckNewPackage(request)))
        return refuse(*problem, nameEdit_);
    request_ = request;
    accept();
}

} // namespace tb
