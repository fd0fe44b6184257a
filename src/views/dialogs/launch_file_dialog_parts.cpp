#include "views/dialogs/launch_file_dialog_parts.h"

#include "editing/file_checks.h"
#include "model/tables.h"
#include "ui/qt_text.h"

#include <QCheckBox>
#include <QLineEdit>

namespace tb {

MimeOverrideControls::MimeOverrideControls(std::u16string_view mimeType,
                                           std::u16string_view defaultMime, QWidget* parent)
    : QObject(parent), default_(defaultMime) {
    override_ = new QCheckBox(QStringLiteral("Overide MIME type:"), parent);
    mime_ = new QLineEdit(ui::ToQString(mimeType), parent);
    override_->setChecked(!mimeType.empty() && mimeType != defaultMime);
    mime_->setEnabled(override_->isChecked());
    connect(override_, &QCheckBox::toggled, mime_, &QWidget::setEnabled);
}

void MimeOverrideControls::setDefault(std::u16string_view defaultMime) {
    default_ = defaultMime;
    if (mime_->text().isEmpty())
        mime_->setText(ui::ToQString(default_));
}

WideText MimeOverrideControls::mimeType() const {
    return override_->isChecked() ? ui::ToWide(mime_->text()) : default_;
}

std::optional<ui::FormProblem> MimeOverrideControls::problem() const {
    if (!override_->isChecked())
        return std::nullopt;
    if (std::optional<std::u16string_view> message = CheckMimeType(ui::ToWide(mime_->text())))
        return ui::FormProblem{mime_, ui::ToQString(*message)};
    return std::nullopt;
}

WideText DefaultMimeFor(std::u16string_view sourcePath) {
    WideText mime;
    MimeForFile(sourcePath, mime);
    return mime;
}

} // namespace tb
