#pragma once

#include "document/user_prompt.h"

class QWidget;

namespace tb {

// Answers the document's questions with the program's message boxes, centred on owner.
class MessageBoxPrompt : public UserPrompt {
public:
    explicit MessageBoxPrompt(QWidget* owner) : owner_(owner) {}

    PromptAnswer askYesNoCancel(std::u16string_view question) override;
    void showError(std::u16string_view message) override;

private:
    QWidget* owner_;
};

} // namespace tb
