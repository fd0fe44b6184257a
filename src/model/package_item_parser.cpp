#include "model/package_parser.h"

#include "model/tables.h"
#include "util/numbers.h"
#include "util/text_convert.h"

#include <utility>

// The installation-item rules of the package parser: file lines, language blocks, embedded
// packages, option lists and IF blocks.
namespace tb {

using namespace SymbianLib;

namespace {

// File name without folder and extension: the label of a dialog read from a text file.
std::u16string_view fileStem(std::u16string_view path) {
    const size_t separator = path.find_last_of(u"\\/:");
    if (separator != std::u16string_view::npos)
        path.remove_prefix(separator + 1);
    return path.substr(0, path.rfind(u'.'));
}

// "readme_English.txt" in a package whose first language is English names the dialog "readme".
WideText languageDialogName(std::u16string_view firstSource, uint32_t firstLanguage) {
    std::u16string_view stem = fileStem(firstSource);
    const size_t underscore = stem.rfind(u'_');
    const auto languageName = LanguageName(firstLanguage);
    if (underscore != std::u16string_view::npos && languageName &&
        stem.substr(underscore + 1) == *languageName)
        stem = stem.substr(0, underscore);
    return WideText(stem);
}

// The single-source item, or its per-language twin holding all sources.
template <class Base, class Single, class PerLanguage>
std::unique_ptr<Base> makeItem(LocalizedText sources, bool perLanguage) {
    if (!perLanguage)
        return std::make_unique<Single>(std::move(sources[0]));
    auto item = std::make_unique<PerLanguage>(0);
    item->sources = std::move(sources);
    return item;
}

bool isOptionWord(std::u16string_view word) {
    constexpr std::u16string_view kPrefix = u"option";
    return word.size() >= kPrefix.size() &&
           equalsIgnoreAsciiCase(word.substr(0, kPrefix.size()), kPrefix);
}

} // namespace

bool PackageParser::startsItem() const {
    const PackageToken* token = current();
    if (!token)
        return false;
    if (token->kind == PackageToken::String)
        return true;
    if (token->kind == PackageToken::Identifier)
        return equalsIgnoreAsciiCase(token->text, u"IF");
    return token->isSymbol(u'{') || token->isSymbol(u'@') || token->isSymbol(u'!');
}

void PackageParser::itemRun() {
    while (startsItem())
        item();
}

void PackageParser::item() {
    needPackage();
    const PackageToken& token = *current();
    if (token.kind == PackageToken::String)
        fileLine();
    else if (token.kind == PackageToken::Identifier)
        conditionBlock();
    else if (token.isSymbol(u'{'))
        languageBlock();
    else if (token.isSymbol(u'@'))
        embeddedPackage(true);
    else
        optionList();
}

// "source" - "target" [, options]
void PackageParser::fileLine() {
    LocalizedText sources{string()};
    addFile(std::move(sources), fileTail(), false);
}

// { "source" ... } - "target" [, options]   or   { @"path" ... }, (uid)
void PackageParser::languageBlock() {
    advance();
    if (check(u'@'))
        return languagePackages(true);
    LocalizedText sources;
    for (size_t i = 0; i < package_->languages.size(); ++i)
        sources.push_back(string());
    checkNext(u'}');
    addFile(std::move(sources), fileTail(), true);
}

PackageParser::FileTail PackageParser::fileTail() {
    FileTail tail;
    checkNext(u'-');
    SplitDeviceTarget(string(), tail.drive, tail.target);
    if (!testNext(u','))
        return tail;
    if (need().kind != PackageToken::Identifier)
        fail(EIdentifierExpected, PackageToken::Identifier);
    tail.fileType = FileType(keyword(FileOptionFromKeyword, EUnknownFileOption));
    switch (tail.fileType) {
    case FileType::FR:
        runOptions(tail);
        break;
    case FileType::FM:
        checkNext(u',');
        tail.mimeType = string();
        runOptions(tail);
        break;
    case FileType::FT:
        if (testNext(u','))
            tail.textOption = TextOption(keyword(TextOptionFromKeyword, EUnknownTextOption));
        break;
    default:
        break;
    }
    return tail;
}

// [, RI|RR|RB [, RW]]: a launched file waits for its end only when RW says so.
void PackageParser::runOptions(FileTail& tail) {
    tail.runWaitEnd = false;
    if (!testNext(u','))
        return;
    tail.runOption = RunOption(keyword(RunOptionFromKeyword, EUnknownRunOption));
    if (!testNext(u','))
        return;
    const PackageToken& token = need();
    if (token.kind != PackageToken::Identifier || !IsRunWaitKeyword(token.text))
        fail(EUnknownRunOption, PackageToken::Identifier);
    advance();
    tail.runWaitEnd = true;
}

// One item per file line: a file, a dialog for FT, nothing for FN.
void PackageParser::addFile(LocalizedText sources, const FileTail& tail, bool perLanguage) {
    if (tail.fileType == FileType::FN)
        return;
    if (tail.fileType == FileType::FT) {
        WideText name = perLanguage ? languageDialogName(sources[0], package_->languages[0])
                                    : WideText(fileStem(sources[0]));
        auto dialog = makeItem<DialogItemBase, ShowDialogItem, ShowLanguageDialogItem>(
            std::move(sources), perLanguage);
        dialog->name = std::move(name);
        dialog->textOption = tail.textOption;
        append(std::move(dialog));
        return;
    }
    auto file = makeItem<FileItemBase, InstallFileItem, InstallLanguageFileItem>(std::move(sources),
                                                                                 perLanguage);
    file->target = tail.target;
    file->drive = tail.drive;
    file->mimeType = tail.mimeType;
    file->fileType = tail.fileType;
    file->runOption = tail.runOption;
    file->runWaitEnd = tail.runWaitEnd;
    append(std::move(file));
}

// @ "path", (uid)
void PackageParser::embeddedPackage(bool unconditional) {
    advance();
    auto embedded = std::make_unique<IncludePackageItem>(string());
    checkNext(u',');
    embedded->uid = uidInParentheses();
    embedded->unconditional = unconditional;
    append(std::move(embedded));
}

// After "{": @"path" per language, }, (uid)
void PackageParser::languagePackages(bool unconditional) {
    auto embedded = std::make_unique<IncludeLanguagePackageItem>(0);
    for (size_t i = 0; i < package_->languages.size(); ++i) {
        checkNext(u'@');
        embedded->paths.push_back(string());
    }
    checkNext(u'}');
    checkNext(u',');
    embedded->uid = uidInParentheses();
    embedded->unconditional = unconditional;
    append(std::move(embedded));
}

// ! ({names}, {names} ...): the list takes over the option slots of the current block.
// An empty list is read too, since that is how one is written.
void PackageParser::optionList() {
    advance();
    checkNext(u'(');
    InstallItem* list = append(std::make_unique<ShowOptionListItem>());
    auto& slots = blocks_.back().optionSlots;
    slots.fill(nullptr);
    InstallItem* previous = nullptr;
    size_t count = 0;
    if (!check(u')')) {
        do {
            auto option = std::make_unique<OptionItem>(0);
            option->names = nameList();
            previous = previous ? InsertAfter(package_->items, std::move(option), previous)
                                : AppendChild(package_->items, std::move(option), list);
            if (++count < kOptionSlots)
                slots[count] = static_cast<OptionItem*>(previous);
        } while (testNext(u','));
    }
    checkNext(u')');
}

// IF NOT package(uid) <embedded package> ENDIF, IF optionN <items> ENDIF; any other condition
// holds nothing.
void PackageParser::conditionBlock() {
    advance();
    const WideText word = identifier();
    if (equalsIgnoreAsciiCase(word, u"NOT"))
        packageGuard();
    else if (isOptionWord(word) && current() && current()->kind == PackageToken::Number)
        optionBlock();
    endBlock();
}

void PackageParser::packageGuard() {
    if (need().kind != PackageToken::Identifier)
        fail(EIdentifierExpected, PackageToken::Identifier);
    if (!equalsIgnoreAsciiCase(current()->text, u"package"))
        fail(EUnexpectedToken, PackageToken::Identifier);
    advance();
    uidInParentheses(); // the item's own UID is the one kept
    if (need().isSymbol(u'@'))
        return embeddedPackage(false);
    if (!current()->isSymbol(u'{'))
        fail(EUnexpectedToken, PackageToken::Symbol);
    advance();
    if (!need().isSymbol(u'@'))
        fail(EUnexpectedToken, PackageToken::Symbol);
    languagePackages(false);
}

// The items up to ENDIF become children of option n of the most recent list in this block.
// Without such an option the block must be empty.
void PackageParser::optionBlock() {
    // An option number no list can have (one that does not even fit, say) addresses none.
    int32_t n = 0;
    parseInt32Field(current()->text, n);
    advance();
    OptionItem* option =
        n >= 1 && size_t(n) < kOptionSlots ? blocks_.back().optionSlots[size_t(n)] : nullptr;
    if (!option)
        return;
    if (blocks_.size() > kMaxBlockDepth)
        fail(EUnexpectedToken);
    Block inner;
    inner.parent = option;
    inner.lastChild = option->lastChild();
    inner.optionSlots = blocks_.back().optionSlots;
    blocks_.push_back(inner);
    itemRun();
    inner = blocks_.back();
    blocks_.pop_back();
    // An outer block of the same option has to append after what the inner one added.
    for (Block& outer : blocks_)
        if (outer.parent == inner.parent)
            outer.lastChild = inner.lastChild;
}

void PackageParser::endBlock() {
    const PackageToken& token = need();
    if (token.kind != PackageToken::Identifier || token.text != u"ENDIF")
        fail(EIdentifierExpected, PackageToken::Identifier);
    advance();
}

// Appends to the current block's option, or to the top level.
InstallItem* PackageParser::append(std::unique_ptr<InstallItem> item) {
    Block& block = blocks_.back();
    if (!block.parent)
        return AppendChild(package_->items, std::move(item), nullptr);
    block.lastChild = block.lastChild
                          ? InsertAfter(package_->items, std::move(item), block.lastChild)
                          : AppendChild(package_->items, std::move(item), block.parent);
    return block.lastChild;
}

} // namespace tb
