#include "views/dialogs/dialog_text_import.h"

#include "editing/dialog_text_files.h"
#include "ui/file_dialogs.h"
#include "ui/message_box.h"
#include "ui/qt_text.h"
#include "util/text_file.h"

#include <QPlainTextEdit>

namespace tb {

void ImportDialogText(QWidget* owner, const std::string& packageFolder, QPlainTextEdit& box) {
    const QString chosen = ui::GetOpenFileName(owner, QStringLiteral("Import Text From File"),
                                               QStringLiteral("Text Files (*.txt);;All Files (*)"),
                                               ui::HostPathToQString(packageFolder));
    if (chosen.isEmpty())
        return;
    WideText imported;
    if (ReadTextFile(ui::ToHostPath(chosen), imported) == err::kOk)
        box.setPlainText(ui::ToQString(TextForEditing(imported)));
    else
        ui::ShowError(owner, ui::ToQString(kImportTextFailed));
}

} // namespace tb
