#include "editing/file_sources.h"

#include "buildengine/path_macros.h"
#include "editing/device_folders.h"
#include "util/path.h"

namespace tb {

WideText StoredSourcePath(std::u16string_view hostPath, std::u16string_view packageFolder,
                          const SdkList& sdks) {
    WideText base(packageFolder);
    if (base.empty() || base.back() != u'/')
        base += u'/';
    return MakeStoredPath(hostPath, base, sdks, kHostPathStyle);
}

std::unique_ptr<InstallFileItem> NewInstallFile(std::u16string_view hostPath,
                                                std::u16string_view packageFolder,
                                                const SdkList& sdks, uint32_t packageUid) {
    auto file = std::make_unique<InstallFileItem>(StoredSourcePath(hostPath, packageFolder, sdks));
    file->target = DefaultTargetPath(hostPath, packageUid);
    file->drive = u'!';
    file->fileType = FileType::FF;
    return file;
}

} // namespace tb
