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

// One item per file line: a file (FN too: its target goes at uninstallation), a dialog for FT.
void PackageParser::addFile(LocalizedText sources, const FileTail& tail, bool perLanguage) {
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

// ! ({names}, {names} ...). An empty list is read too, since that is how one is written.
void PackageParser::optionList() {
    advance();
    checkNext(u'(');
    InstallItem* list = append(std::make_unique<ShowOptionListItem>());
    std::vector<OptionItem*> options;
    if (!check(u')')) {
        do {
            auto option = std::make_unique<OptionItem>(0);
            option->names = nameList();
            InstallItem* placed =
                options.empty() ? AppendChild(package_->items, std::move(option), list)
                                : InsertAfter(package_->items, std::move(option), options.back());
            options.push_back(static_cast<OptionItem*>(placed));
        } while (testNext(u','));
    }
    checkNext(u')');
    blocks_.back().options = std::move(options);
}

// IF condition <items> {ELSEIF condition <items>} [ELSE <items>] ENDIF
void PackageParser::conditionBlock() {
    if (blocks_.size() > kMaxBlockDepth)
        fail(EUnexpectedToken);
    advance();
    auto block = std::make_unique<ConditionBlockItem>();
    InstallItem* branch = AppendChild(
        package_->items, std::make_unique<ConditionBranchItem>(condition()), block.get());
    for (;;) {
        branchItems(branch);
        if (isBlockWord(u"ELSEIF")) {
            advance();
            branch = AppendChild(package_->items,
                                 std::make_unique<ConditionBranchItem>(condition()), block.get());
            continue;
        }
        if (isBlockWord(u"ELSE")) {
            advance();
            branch =
                AppendChild(package_->items, std::make_unique<ConditionBranchItem>(), block.get());
            branchItems(branch);
        }
        break;
    }
    const PackageToken& token = need();
    if (token.kind != PackageToken::Identifier || token.text != u"ENDIF")
        fail(EIdentifierExpected, PackageToken::Identifier);
    advance();
    placeBlock(std::move(block));
}

Condition PackageParser::condition() {
    try {
        return ConditionParser(*this).parse();
    } catch (const ConditionError&) {
        fail(EUnexpectedToken);
    }
}

void PackageParser::branchItems(InstallItem* branch) {
    blocks_.push_back(Block{branch, nullptr, {}});
    itemRun();
    blocks_.pop_back();
}

bool PackageParser::isBlockWord(std::u16string_view word) const {
    const PackageToken* token = current();
    return token && token->kind == PackageToken::Identifier &&
           equalsIgnoreAsciiCase(token->text, word);
}

// Two forms keep their own meaning: IF optionN right after its option list is that option's
// content, and IF NOT package(uid) around the one embedded package of that UID installs it only
// when it is not there yet. Everything else is a condition block.
void PackageParser::placeBlock(std::unique_ptr<InstallItem> block) {
    auto* branch = static_cast<ConditionBranchItem*>(block->firstChild);
    if (branch->next || !branch->condition) {
        append(std::move(block));
        return;
    }
    const ConditionNode& condition = *branch->condition;
    const std::vector<OptionItem*>& options = blocks_.back().options;
    if (const int64_t n = OptionNumberOf(condition); n > 0 && size_t(n) <= options.size()) {
        MoveChildren(branch, options[size_t(n) - 1]);
        return;
    }
    uint32_t uid = 0;
    InstallItem* only = branch->firstChild;
    if (GuardedPackageUid(condition, uid) && only && !only->next) {
        auto* single = itemAs<IncludePackageItem>(only);
        auto* perLanguage = itemAs<IncludeLanguagePackageItem>(only);
        if ((single && single->uid == uid) || (perLanguage && perLanguage->uid == uid)) {
            (single ? single->unconditional : perLanguage->unconditional) = false;
            append(Unlink(package_->items, only));
            return;
        }
    }
    append(std::move(block));
}

// Appends to the current block (a branch or the top level). Anything but an option list's own
// IF blocks ends the run in which those address its options.
InstallItem* PackageParser::append(std::unique_ptr<InstallItem> item) {
    Block& block = blocks_.back();
    block.options.clear();
    if (!block.parent)
        return block.lastChild = AppendChild(package_->items, std::move(item), nullptr);
    block.lastChild = block.lastChild
                          ? InsertAfter(package_->items, std::move(item), block.lastChild)
                          : AppendChild(package_->items, std::move(item), block.parent);
    return block.lastChild;
}

} // namespace tb
