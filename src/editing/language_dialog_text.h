#pragma once

#include "buildengine/build_configuration.h"
#include "model/install_item.h"
#include "util/wide_text.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace tb {

// A language-dependent dialog's text in one language, as the Localization view edits it.
struct LanguageDialogText {
    std::string path;     // the language's text file
    bool newFile = false; // the language has none yet (added after the dialog): OK makes path
    bool readable = true; // false: text is the read error, and it is not to be edited
    WideText text;        // with LF line ends, as a text box holds it
};

// Opens the text of dialog in the package language at position language (languages is the
// package's list): its stored file resolved against packageFolder for the configuration, or,
// when the language names no file, <packageFolder>/<name>_<language name>.txt to be made.
LanguageDialogText OpenLanguageDialogText(const ShowLanguageDialogItem& dialog, size_t language,
                                          const std::vector<uint32_t>& languages,
                                          const std::string& packageFolder,
                                          const BuildConfiguration& configuration);

// The contents of the file as a cell shows them: what could be read, nothing when it cannot.
WideText ReadLanguageDialogText(const ShowLanguageDialogItem& dialog, size_t language,
                                const std::string& packageFolder,
                                const BuildConfiguration& configuration);

} // namespace tb
