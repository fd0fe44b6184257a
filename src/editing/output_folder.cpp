#include "editing/output_folder.h"

#include "model/package.h"

namespace tb {

bool IsPackageOutputFolder(std::u16string_view stored, std::u16string_view packageFolder) {
    if (stored.empty())
        return true;
    OutputSettings chosen;
    chosen.outputFolder = WideText(stored);
    return OutputFolderPath(chosen, {}) == OutputFolderPath(OutputSettings{}, packageFolder);
}

WideText StoredOutputFolder(bool custom, std::u16string_view customFolder,
                            std::u16string_view packageFolder) {
    if (!custom || IsPackageOutputFolder(customFolder, packageFolder))
        return {};
    return WideText(customFolder);
}

} // namespace tb
