#include "model/package_reader.h"

#include "model/package_lexer.h"
#include "model/package_parser.h"
#include "util/text_file.h"

#include <new>
#include <vector>

namespace tb {

namespace {

// The tokenizer fails only when memory runs out.
constexpr ErrorCode kTokenizerFailed = -50;

} // namespace

ErrorCode LoadPackage(const std::string& filePath, std::unique_ptr<Package>& package) {
    package.reset();
    WideText text;
    if (const ErrorCode result = ReadTextFile(filePath, text); result != err::kOk)
        return result;
    return ParsePackageText(text, package);
}

ErrorCode ParsePackageText(const WideText& text, std::unique_ptr<Package>& package) {
    package.reset();
    if (text.empty())
        return err::kCorruptPackage;
    try {
        std::vector<PackageToken> tokens;
        if (!PackageLexer(text).tokenize(tokens))
            return kTokenizerFailed;
        PackageParser parser(tokens);
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
