#include "shell/message_box_prompt.h"

#include "ui/message_box.h"
#include "ui/qt_text.h"

namespace tb {

PromptAnswer MessageBoxPrompt::askYesNoCancel(std::u16string_view question) {
    switch (ui::AskYesNoCancel(owner_, ui::ToQString(question))) {
    case ui::MessageAnswer::Yes:
        return PromptAnswer::Yes;
    case ui::MessageAnswer::No:
        return PromptAnswer::No;
    default:
        return PromptAnswer::Cancel;
    }
}

void MessageBoxPrompt::showError(std::u16string_view message) {
    ui::ShowError(owner_, ui::ToQString(message));
}

} // namespace tb
