#include "document/messages.h"

#include "model/package_writer.h"
#include "util/error_code.h"

namespace tb::messages {

std::u16string_view CreateMessage(int32_t code) {
    return code == err::kNotFound ? kCreateNotFound : kCreateFailed;
}

std::u16string_view OpenMessage(int32_t code) {
    return code == err::kCorruptPackage ? kOpenCorrupt : kOpenFailed;
}

std::u16string_view SaveMessage(int32_t code) {
    if (code == kErrorQuoteInText)
        return kSaveQuoteInText;
    return code == err::kNotFound ? kSaveNotFound : kSaveFailed;
}

std::u16string_view ExportMessage(int32_t code) {
    if (code == kErrorQuoteInText)
        return kExportQuoteInText;
    if (code == err::kNotFound)
        return kExportNotFound;
    return code == err::kInvalidName ? kExportInvalidName : kExportFailed;
}

} // namespace tb::messages
