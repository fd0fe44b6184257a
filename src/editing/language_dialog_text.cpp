#include "editing/language_dialog_text.h"

#include "editing/dialog_text_files.h"
#include "util/text_file.h"

namespace tb {

namespace {

WideText storedPath(const ShowLanguageDialogItem& dialog, size_t language) {
    return language < dialog.sources.size() ? dialog.sources[language] : WideText();
}

} // namespace

LanguageDialogText OpenLanguageDialogText(const ShowLanguageDialogItem& dialog, size_t language,
                                          const std::vector<uint32_t>& languages,
                                          const std::string& packageFolder,
                                          const BuildConfiguration& configuration) {
    LanguageDialogText opened;
    const WideText stored = storedPath(dialog, language);
    if (stored.empty()) {
        if (language < languages.size())
            opened.path =
                LanguageDialogTextFilePaths(packageFolder, dialog.name, {languages[language]})
                    .front();
        opened.newFile = true;
        return opened;
    }
    opened.path = DialogTextHostPath(stored, packageFolder, configuration);
    WideText text;
    opened.readable = ReadTextFile(opened.path, text) == err::kOk;
    opened.text = opened.readable ? TextForEditing(text) : DialogTextReadError(opened.path);
    return opened;
}

WideText ReadLanguageDialogText(const ShowLanguageDialogItem& dialog, size_t language,
                                const std::string& packageFolder,
                                const BuildConfiguration& configuration) {
    const WideText stored = storedPath(dialog, language);
    WideText text;
    if (!stored.empty())
        ReadTextFile(DialogTextHostPath(stored, packageFolder, configuration), text);
    return text;
}

} // namespace tb
