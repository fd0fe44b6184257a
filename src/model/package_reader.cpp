#include "model/package_reader.h"

#include "model/package_parser.h"
#include "util/mapped_text_file.h"

#include <new>

namespace tb {

ErrorCode LoadPackage(const std::string& filePath, std::unique_ptr<Package>& package) {
    package.reset();
    MappedTextFile file;
    // Bytes of an 8-bit encoding keep their value, as makesis reads them.
    if (const ErrorCode result = file.open(filePath, InvalidUtf8::AsLatin1); result != err::kOk)
        return result;
    return ParsePackageText(file.text(), package);
}

ErrorCode ParsePackageText(std::u16string_view text, std::unique_ptr<Package>& package) {
    package.reset();
    if (text.empty())
        return err::kCorruptPackage;
    try {
        // The parser takes the tokens from the lexer as it goes; the lexer needs no memory.
        PackageParser parser(text);
        // Every syntax error, and a text without languages or header, is one corrupt package.
        if (parser.parse(package) != 0)
            return err::kCorruptPackage;
    } catch (const std::bad_alloc&) {
        package.reset();
        return err::kOutOfMemory;
    }
    return err::kOk;
}

} // namespace tb
