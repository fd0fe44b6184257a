#pragma once

#include <string_view>

namespace tb {

enum class PromptAnswer { Yes, No, Cancel };

// Questions and messages the document needs answered. The window shows message boxes; the
// command line and tests answer without a user.
class UserPrompt {
public:
    virtual ~UserPrompt() = default;
    virtual PromptAnswer askYesNoCancel(std::u16string_view question) = 0;
    virtual void showError(std::u16string_view message) = 0;
};

} // namespace tb
