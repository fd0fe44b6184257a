#pragma once

#include "model/condition_parser.h"
#include "model/package.h"
#include "model/package_lexer.h"

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

namespace SymbianLib {

// Syntax errors of the package parser; thrown and caught inside it only.
enum TParseError : int32_t {
    EUnexpectedToken = -52,    // not the token the grammar needs here
    EUnexpectedEnd = -53,      // the tokens end too early
    EIdentifierExpected = -54, // also: an IF block without its ENDIF
    ENumberExpected = -55,
    EUnknownLanguage = -56,
    ELanguagesRedefined = -58, // a languages line once the package exists
    ENoPackage = -59,          // a text that defines no package at all
    EUnknownPackageType = -60,
    EUnknownRunOption = -61, // also: anything but RW / RUNWAITEND after the run option
    EUnknownTextOption = -62,
    EUnknownFileOption = -63,
};

} // namespace SymbianLib

namespace tb {

// "C:\dir\file" gives drive 'C' and "\dir\file"; without a drive prefix the drive is the one
// chosen at install time ('!'). A bare file name is put under the root; an empty text clears
// target and leaves drive alone.
void SplitDeviceTarget(std::u16string_view text, char16_t& drive, WideText& target);

// What the parser wanted when it gave up; kept for debugging, never shown to the user.
struct ParseErrorInfo {
    int32_t expectedKind = -1; // a PackageToken::Kind, -1 when no single kind would do
    WideText tokenText;        // the offending token; empty at the end of the tokens
    int32_t line = 1;
};

// Recursive-descent parser over the lexer's tokens, one function per line form, taking the
// tokens one at a time as it goes. Line feeds only end comments, so the parser steps over them
// everywhere. It is the token cursor of the conditions it reads.
class PackageParser : private TokenCursor {
public:
    static constexpr size_t kMaxBlockDepth = 64; // nested IF blocks

    // text has to outlive the parser.
    explicit PackageParser(std::u16string_view text);

    // 0 with the package handed over, or the TParseError value with package null. Running out
    // of memory throws std::bad_alloc; nothing is leaked.
    int32_t parse(std::unique_ptr<Package>& package);
    const ParseErrorInfo& errorInfo() const { return errorInfo_; }

private:
    // Where items go: the top level or one branch of an IF block. An IF optionN block right
    // after an option list (or its other option blocks) fills that option.
    struct Block {
        InstallItem* parent = nullptr;
        InstallItem* lastChild = nullptr;
        std::vector<OptionItem*> options; // of lastChild, when it is an option list
    };

    // A *"key","certificate"[,KEY="passphrase"] line: makesis ignores it; its values serve when
    // the build settings name no signing files.
    struct SignatureLine {
        bool present = false;
        WideText privateKey, certificate, passphrase;
    };

    // What follows the target of a file line.
    struct FileTail {
        WideText target;
        char16_t drive = u'!';
        FileType fileType = FileType::FF;
        RunOption runOption = RunOption::RI;
        bool runWaitEnd = true;
        WideText mimeType;
        TextOption textOption = TextOption::TC;
    };

    // Token cursor.
    const PackageToken* token() const override { return current(); }
    void next() override { advance(); }
    const PackageToken* current() const { return hasToken_ ? &token_ : nullptr; }
    void advance();
    void advanceRaw(); // line feeds included
    void skipLineFeeds();
    const PackageToken& need();
    bool check(char16_t symbol) const;
    bool testNext(char16_t symbol);
    void checkNext(char16_t symbol);
    WideText takeText();
    WideText take(PackageToken::Kind kind, SymbianLib::TParseError error);
    WideText string() { return take(PackageToken::String, SymbianLib::EUnexpectedToken); }
    WideText identifier() {
        return take(PackageToken::Identifier, SymbianLib::EIdentifierExpected);
    }
    uint32_t uid();
    uint32_t uidInParentheses();
    int32_t number(); // a signed 32-bit field
    int32_t keyword(int32_t (*lookup)(std::u16string_view), SymbianLib::TParseError error);
    [[noreturn]] void fail(SymbianLib::TParseError error, int32_t expectedKind = -1);

    // Top level.
    void packageFile();
    void topLevelLine();
    void languagesLine();
    uint32_t language();
    int32_t languageNumber();
    void headerLine();
    void headerOption();
    void vendorsLine();
    void globalVendorLine();
    void logoLine();
    void propertiesLine();
    void dependencyLine(char16_t close);
    void version(int32_t& major, int32_t& minor, int32_t& build);
    int32_t versionComponent();
    void trailerKeyLine();
    void signatureLine();
    void applySignatureLine();
    Package& createPackage(const std::vector<uint32_t>& languages);
    Package& needPackage();
    LocalizedText nameList();

    // Installation items.
    bool startsItem() const;
    void itemRun();
    void item();
    void fileLine();
    void languageBlock();
    FileTail fileTail();
    void runOptions(FileTail& tail);
    void addFile(LocalizedText sources, const FileTail& tail, bool perLanguage);
    void embeddedPackage(bool unconditional);
    void languagePackages(bool unconditional);
    void optionList();
    void conditionBlock();
    Condition condition();
    void branchItems(InstallItem* branch);
    bool isBlockWord(std::u16string_view word) const;
    void placeBlock(std::unique_ptr<InstallItem> block);
    InstallItem* append(std::unique_ptr<InstallItem> item);

    std::u16string_view text_;
    PackageLexer lexer_;
    PackageToken token_;
    bool hasToken_ = false;
    ParseErrorInfo errorInfo_;
    std::unique_ptr<Package> package_;
    std::vector<Block> blocks_;
    SignatureLine signature_;
};

} // namespace tb
