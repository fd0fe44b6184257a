#pragma once

#include "ui/form_dialog.h"
#include "util/wide_text.h"

#include <QObject>

#include <optional>
#include <string_view>

class QCheckBox;
class QLineEdit;
class QWidget;

namespace tb {

// "Overide MIME type:" and its text box, which is on only while the box is checked. The file's
// MIME type shows in the text box; the box starts checked when it differs from the default
// for the file's extension. An empty text box gets the default when one becomes known.
class MimeOverrideControls : public QObject {
    Q_OBJECT
public:
    MimeOverrideControls(std::u16string_view mimeType, std::u16string_view defaultMime,
                         QWidget* parent);

    QCheckBox* overrideBox() const { return override_; }
    QLineEdit* mimeBox() const { return mime_; }

    void setDefault(std::u16string_view defaultMime);
    // The typed type while the box is checked, else the default.
    WideText mimeType() const;
    // A typed type must be valid; the default is taken as it is.
    std::optional<ui::FormProblem> problem() const;

private:
    WideText default_;
    QCheckBox* override_;
    QLineEdit* mime_;
};

// The MIME type for a file by its extension, "text/plain" for one the table lacks.
WideText DefaultMimeFor(std::u16string_view sourcePath);

} // namespace tb
