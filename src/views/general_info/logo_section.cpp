#include "views/general_info/logo_section.h"

#include "buildengine/build_output_parser.h"
#include "buildengine/path_macros.h"
#include "document/app_settings.h"
#include "document/application.h"
#include "model/tables.h"
#include "ui/file_dialogs.h"
#include "ui/message_box.h"
#include "ui/qt_text.h"
#include "views/general_info/logo_settings_dialog.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace tb {

namespace {

// Qt reads a filter's patterns from its last parentheses, separated by blanks.
const QString kLogoFilter = QStringLiteral(
    "Bitmap Image (*.bmp);;JPEG Image (*.jpg, *.jpeg) (*.jpg *.jpeg);;GIF Image (*.gif);;"
    "PNG Image (*.png);;Symbian Multi-Bitmap (*.mbm);;All Files (*.*)");

const QString kNote =
    QStringLiteral("Note: It is up to the software installer on the device whether or not to "
                   "show the logo during installation.\n\nIt is recommended that you consult "
                   "your target phone's documentation before using this feature.");

// Large pictures are shown smaller; the size label still tells their own size.
constexpr int kLargestShown = 128;

} // namespace

LogoSection::LogoSection(Application& app, const void* origin, QWidget* parent)
    : QWidget(parent), app_(app), origin_(origin) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);

    auto* heading = new QHBoxLayout;
    toggle_ = new QToolButton(this);
    toggle_->setAutoRaise(true);
    auto* title = new QLabel(QStringLiteral("<b>Logo</b>"), this);
    heading->addWidget(toggle_);
    heading->addWidget(title);
    heading->addStretch(1);
    layout->addLayout(heading);

    body_ = new QWidget(this);
    auto* grid = new QGridLayout(body_);
    picture_ = new QLabel(body_);
    picture_->setAlignment(Qt::AlignCenter);
    picture_->setMinimumSize(64, 64);
    picture_->setFrameShape(QFrame::StyledPanel);
    size_ = new QLabel(body_);
    size_->setAlignment(Qt::AlignCenter);
    select_ = new QPushButton(QStringLiteral("Select..."), body_);
    settings_ = new QPushButton(QStringLiteral("Settings..."), body_);
    remove_ = new QPushButton(QStringLiteral("Remove"), body_);
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(select_);
    buttons->addWidget(settings_);
    buttons->addWidget(remove_);
    buttons->addStretch(1);
    auto* note = new QLabel(kNote, body_);
    note->setWordWrap(true);
    note->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    grid->addWidget(picture_, 0, 0);
    grid->addWidget(size_, 1, 0);
    grid->addLayout(buttons, 0, 1, 2, 1);
    grid->addWidget(note, 0, 2, 2, 1);
    grid->setColumnStretch(2, 1);
    layout->addWidget(body_);

    connect(toggle_, &QToolButton::clicked, this, [this] { setExpanded(!expanded()); });
    connect(select_, &QPushButton::clicked, this, [this] { selectLogo(); });
    connect(settings_, &QPushButton::clicked, this, [this] { editSettings(); });
    connect(remove_, &QPushButton::clicked, this, [this] { removeLogo(); });
    setExpanded(app_.settings.logoSettingsVisible);
}

bool LogoSection::expanded() const {
    return !body_->isHidden();
}

void LogoSection::setExpanded(bool expanded) {
    app_.settings.logoSettingsVisible = expanded;
    body_->setHidden(!expanded);
    toggle_->setText(expanded ? QStringLiteral("-") : QStringLiteral("+"));
}

QString LogoSection::hostPath(const WideText& stored) const {
    // A relative path lies under the package's folder, SDK or not.
    const BuildConfiguration& configuration = app_.configuration;
    const SdkInfo* sdk = configuration.currentSdk();
    return ui::ToQString(ExpandSourcePath(stored, PackageBaseFolder(app_.document.filePath()),
                                          sdk ? *sdk : SdkInfo{}, configuration.platform(),
                                          configuration.target(), kHostPathStyle));
}

void LogoSection::refresh() {
    const Package* package = app_.document.package();
    if (!package || !package->logo.present) {
        show(std::nullopt, {});
    } else {
        const QString path = hostPath(package->logo.source);
        // The picture is decoded once per file, not each time the view is shown.
        if (path != shownPath_ || !shown_)
            show(LoadLogoPicture(path), path);
    }
    updateControls();
}

void LogoSection::show(std::optional<LogoPicture> picture, const QString& path) {
    shown_ = std::move(picture);
    shownPath_ = shown_ ? path : QString();
    if (!shown_) {
        picture_->clear();
        size_->clear();
        return;
    }
    QPixmap pixmap = QPixmap::fromImage(shown_->image);
    if (pixmap.width() > kLargestShown || pixmap.height() > kLargestShown)
        pixmap = pixmap.scaled(kLargestShown, kLargestShown, Qt::KeepAspectRatio,
                               Qt::SmoothTransformation);
    picture_->setPixmap(pixmap);
    // A multi-bitmap file is not decoded: its size is not known.
    size_->setText(
        shown_->placeholder
            ? QString()
            : QStringLiteral("%1x%2").arg(shown_->image.width()).arg(shown_->image.height()));
}

void LogoSection::updateControls() {
    const Package* package = app_.document.package();
    const bool present = package && package->logo.present;
    select_->setEnabled(package != nullptr);
    settings_->setEnabled(present);
    remove_->setEnabled(present);
    size_->setVisible(present && shown_ && !shown_->placeholder);
}

void LogoSection::selectLogo() {
    PackageDocument& document = app_.document;
    const Package* package = document.package();
    if (!package)
        return;
    const QString chosen =
        ui::GetOpenFileName(window(), QStringLiteral("Select Logo"), kLogoFilter);
    if (chosen.isEmpty())
        return;
    const WideText stored =
        MakeStoredPath(ui::ToWide(chosen), PackageBaseFolder(document.filePath()),
                       app_.configuration.sdks(), kHostPathStyle);
    const PackageLogo& logo = package->logo;
    if (logo.present && (stored == logo.source || chosen == hostPath(logo.source)))
        return;
    std::optional<LogoPicture> picture = LoadLogoPicture(chosen);
    if (!picture) {
        ui::ShowError(window(), QStringLiteral("'") + chosen +
                                    QStringLiteral("' is not an image file or it is corrupt. "
                                                   "Please select another file."));
        return;
    }
    const bool changed = document.changePackage(
        PackageChangeKind::Logo,
        [&](Package& p) {
            p.logo.present = true;
            p.logo.source = stored;
            ImageMimeForFile(ui::ToWide(chosen), p.logo.mimeType);
        },
        origin_);
    if (changed)
        show(std::move(picture), chosen);
    updateControls();
}

void LogoSection::editSettings() {
    PackageDocument& document = app_.document;
    const Package* package = document.package();
    if (!package || !package->logo.present)
        return;
    const std::optional<PackageLogo> edited =
        EditLogoSettings(window(), package->logo, package->uid, document.userFolders());
    if (!edited)
        return;
    document.changePackage(
        PackageChangeKind::Logo,
        [&edited](Package& p) {
            PackageLogo& logo = p.logo;
            const bool changed = logo.drive != edited->drive || logo.target != edited->target ||
                                 logo.overrideMime != edited->overrideMime ||
                                 logo.mimeType != edited->mimeType;
            logo = *edited;
            return changed;
        },
        origin_);
}

void LogoSection::removeLogo() {
    PackageDocument& document = app_.document;
    if (!document.package() || !document.package()->logo.present)
        return;
    document.changePackage(
        PackageChangeKind::Logo,
        [](Package& p) {
            PackageLogo& logo = p.logo;
            logo.present = false;
            logo.source.clear();
            logo.mimeType.clear();
            logo.target.clear();
            logo.overrideMime = false;
        },
        origin_);
    show(std::nullopt, {});
    updateControls();
}

} // namespace tb
