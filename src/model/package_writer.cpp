#include "model/package_writer.h"

#include "model/build_settings_trailer.h"
#include "model/tables.h"
#include "util/text_file.h"

#include <algorithm>
#include <cstdint>
#include <functional>
#include <new>
#include <vector>

namespace tb {

namespace {

// Takes the text built so far when the builder hands it on in pieces.
using TextFlush = std::function<void(std::u16string_view text)>;

// Builds the package text, or only walks and measures it when out is null. Either way it notes
// the first text that would land between double quotes while holding one, since the format has
// no escape. With a flush, out is handed on and emptied whenever it has grown past a chunk.
class PackageTextBuilder {
public:
    static constexpr size_t kChunkSize = 32768;

    PackageTextBuilder(const Package& package, const SourcePathResolver& resolve, WideText* out,
                       const TextFlush* flush = nullptr)
        : package_(package), resolve_(resolve), out_(out), flush_(flush),
          languageCount_(package.languages.size()) {}

    void build();
    const WideText* unwritable() const { return unwritable_; }
    size_t length() const { return length_; } // of the text, when out is null

private:
    // Next item to write in one sibling list. Options: the list holds the options of an
    // option list (number counts those passed). Block: the children of one option, closed by
    // ENDIF.
    // Branches: the branches of a condition block (number counts those written).
    // BranchItems: the children of one branch.
    struct Frame {
        enum Kind { Items, Options, Block, Branches, BranchItems };
        const InstallItem* next;
        Kind kind;
        int32_t number;
    };

    void put(std::u16string_view s) {
        if (out_)
            out_->append(s);
        else
            length_ += s.size();
    }
    void put(char16_t c) {
        if (out_)
            out_->push_back(c);
        else
            ++length_;
    }
    void endLine() { put(u"\r\n"); }
    void indent() {
        if (out_)
            out_->append(size_t(indent_), u'\t');
        else
            length_ += size_t(indent_);
    }
    void flush(size_t atLeast) {
        if (flush_ && out_->size() >= atLeast && !out_->empty()) {
            (*flush_)(*out_);
            out_->clear();
        }
    }
    void putText(const WideText& text);
    void putSource(const WideText& stored);
    void putQuoted(const WideText& text);
    void putQuotedList(const LocalizedText& list);
    void putHex(uint32_t value);
    void putDecimal(int64_t value);
    void putVersion(int32_t value);
    void putDrive(char16_t drive);
    void note(const WideText& stored, std::u16string_view written);
    const WideText& entry(const LocalizedText& list, size_t i) const;

    void writeLanguages();
    void writeHeader();
    void writeVendors();
    void writeLogo();
    void writeProperties();
    void writeDependencies(const DependencyList& list, char16_t open, char16_t close);
    void writeTrailerValues();
    void writeItems();
    void writeOptionListLine(const InstallItem& list);
    void writeItem(const InstallItem& item);
    void writeFileTail(const FileItemBase& file);
    void writeSourceBlock(const LocalizedText& sources, std::u16string_view opening);
    void writeBranchLine(const InstallItem& branch, bool first);
    void noteCondition(const ConditionNode& condition);
    void writeGuardOpen(uint32_t uid);
    void writeGuardClose();

    const Package& package_;
    const SourcePathResolver& resolve_;
    WideText* out_;
    const TextFlush* flush_;
    size_t languageCount_;
    size_t length_ = 0;
    int32_t indent_ = 0;
    const WideText* unwritable_ = nullptr;
};

const WideText kEmptyText;

void PackageTextBuilder::note(const WideText& stored, std::u16string_view written) {
    if (!unwritable_ && written.find(u'"') != std::u16string_view::npos)
        unwritable_ = &stored;
}

void PackageTextBuilder::putText(const WideText& text) {
    note(text, text);
    put(text);
}

void PackageTextBuilder::putSource(const WideText& stored) {
    if (!resolve_ || stored.empty()) {
        putText(stored);
        return;
    }
    const WideText resolved = resolve_(stored);
    note(stored, resolved);
    put(resolved);
}

void PackageTextBuilder::putQuoted(const WideText& text) {
    put(u'"');
    putText(text);
    put(u'"');
}

// Lists in the model may be out of step with the languages; the file needs exactly one entry
// per language or it does not read back.
const WideText& PackageTextBuilder::entry(const LocalizedText& list, size_t i) const {
    return i < list.size() ? list[i] : kEmptyText;
}

void PackageTextBuilder::putQuotedList(const LocalizedText& list) {
    for (size_t i = 0; i < languageCount_; ++i) {
        if (i > 0)
            put(u", ");
        putQuoted(entry(list, i));
    }
}

void PackageTextBuilder::putHex(uint32_t value) {
    char16_t digits[8];
    size_t count = 0;
    do {
        digits[count++] = u"0123456789abcdef"[value & 0xf];
        value >>= 4;
    } while (value != 0);
    put(u"0x");
    while (count > 0)
        put(digits[--count]);
}

void PackageTextBuilder::putDecimal(int64_t value) {
    if (value < 0)
        put(u'-');
    uint64_t magnitude = value < 0 ? uint64_t(0) - uint64_t(value) : uint64_t(value);
    char16_t digits[20];
    size_t count = 0;
    do {
        digits[count++] = char16_t(u'0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude != 0);
    while (count > 0)
        put(digits[--count]);
}

void PackageTextBuilder::putVersion(int32_t value) {
    if (value == -1)
        put(u'*');
    else
        putDecimal(value);
}

// A control character (a zero from a target read without drive, say) must never reach the
// file, and a quote would end the string early; both mean "the user's choice".
void PackageTextBuilder::putDrive(char16_t drive) {
    const bool printable = drive > 0x20 && drive != 0x7f && !(drive >= 0x80 && drive < 0xa0) &&
                           !(drive >= 0xd800 && drive < 0xe000) && drive != u'"';
    put(printable ? drive : u'!');
}

void PackageTextBuilder::build() {
    if (out_ && !flush_) {
        size_t itemCount = 0;
        for (const InstallItem* item = package_.items.first; item;
             item = NextInPreOrder(item, nullptr))
            ++itemCount;
        out_->reserve(out_->size() + 4096 + itemCount * (96 + 48 * languageCount_));
    }
    writeLanguages();
    writeHeader();
    writeVendors();
    writeLogo();
    writeProperties();
    writeDependencies(package_.deviceDependencies, u'[', u']');
    writeDependencies(package_.packageDependencies, u'(', u')');
    writeItems();
    if (out_) {
        WriteTrailer(package_, *out_);
    } else {
        WideText trailer;
        WriteTrailer(package_, trailer);
        length_ += trailer.size();
    }
    writeTrailerValues();
    flush(0);
}

void PackageTextBuilder::writeLanguages() {
    put(u'&');
    for (size_t i = 0; i < languageCount_; ++i) {
        if (i > 0)
            put(u',');
        put(LanguageCode(package_.languages[i]).value_or(std::u16string_view()));
    }
    endLine();
    endLine();
}

void PackageTextBuilder::writeHeader() {
    put(u"#{");
    putQuotedList(package_.names);
    put(u"}, (");
    putHex(package_.uid);
    put(u"), ");
    putDecimal(package_.versionMajor);
    put(u", ");
    putDecimal(package_.versionMinor);
    put(u", ");
    putDecimal(package_.versionBuild);
    put(u", TYPE=");
    std::u16string_view type = PackageTypeKeyword(static_cast<int32_t>(package_.type));
    put(type.empty() ? PackageTypeKeyword(0) : type);
    if (!package_.compress)
        put(u", NC");
    // The other options read with the file, in their order.
    for (const WideText& option : package_.headerOptions) {
        if (HeaderOptionFromKeyword(option) == HeaderOption::NoCompress)
            continue; // the flag decides
        put(u", ");
        putText(option);
    }
    endLine();
    endLine();
}

void PackageTextBuilder::writeVendors() {
    put(u"%{");
    putQuotedList(package_.vendors);
    put(u'}');
    endLine();
    put(u':');
    putQuoted(package_.globalVendor);
    endLine();
    endLine();
}

void PackageTextBuilder::writeLogo() {
    const PackageLogo& logo = package_.logo;
    if (!logo.present)
        return;
    // The logo is a source file like any other: makesis reads it relative to the written
    // package, which for a build or an export is not the package's own folder.
    put(u"=\"");
    putSource(logo.source);
    put(u"\", ");
    putQuoted(logo.mimeType);
    put(u", \"");
    if (!logo.target.empty()) {
        putDrive(logo.drive);
        put(u':');
        putText(logo.target);
    }
    put(u'"');
    endLine();
    endLine();
}

void PackageTextBuilder::writeProperties() {
    if (package_.properties.empty())
        return;
    put(u"+(");
    bool first = true;
    for (const auto& property : package_.properties) {
        if (!first)
            put(u", ");
        first = false;
        putDecimal(property->key);
        put(u'=');
        putDecimal(property->value);
    }
    put(u')');
    endLine();
    endLine();
}

void PackageTextBuilder::writeDependencies(const DependencyList& list, char16_t open,
                                           char16_t close) {
    for (const auto& dependency : list) {
        put(open);
        putHex(dependency->uid);
        put(close);
        put(u", ");
        putVersion(dependency->fromMajor);
        put(u", ");
        putVersion(dependency->fromMinor);
        if (dependency->isRange) {
            put(u", ");
            putVersion(dependency->fromBuild);
            put(u" ~ ");
            putVersion(dependency->toMajor);
            put(u", ");
            putVersion(dependency->toMinor);
            put(u", ");
            putVersion(dependency->toBuild);
        } else {
            put(u", ");
            putVersion(dependency->fromBuild);
        }
        put(u", {");
        putQuotedList(dependency->names);
        put(u'}');
        endLine();
    }
    if (!list.empty())
        endLine();
}

// The trailer text itself comes from WriteTrailer; this only vets its quoted values.
void PackageTextBuilder::writeTrailerValues() {
    for (const TrailerKey& key : TrailerKeys())
        if (const WideText* value = TrailerText(package_, key))
            note(*value, *value);
}

// Iterative, with an explicit stack: the model puts no limit on nesting depth.
void PackageTextBuilder::writeItems() {
    std::vector<Frame> stack;
    stack.push_back({package_.items.first, Frame::Items, 0});
    while (!stack.empty()) {
        flush(kChunkSize);
        Frame& top = stack.back();
        if (top.kind == Frame::Options) {
            // Options without children write nothing but keep their number.
            const InstallItem* option = top.next;
            for (; option; option = option->next) {
                if (!itemAs<OptionItem>(option))
                    continue;
                ++top.number;
                if (option->firstChild)
                    break;
            }
            if (!option) {
                stack.pop_back();
                continue;
            }
            top.next = option->next;
            put(u"IF option");
            putDecimal(top.number);
            endLine();
            ++indent_;
            stack.push_back({option->firstChild, Frame::Block, 0});
            continue;
        }

        if (top.kind == Frame::Branches) {
            const InstallItem* branch = top.next;
            if (!branch) {
                stack.pop_back();
                indent();
                put(u"ENDIF");
                endLine();
                continue;
            }
            top.next = branch->next;
            writeBranchLine(*branch, top.number++ == 0);
            ++indent_;
            stack.push_back({branch->firstChild, Frame::BranchItems, 0});
            continue;
        }

        const InstallItem* item = top.next;
        if (!item) {
            const Frame::Kind kind = top.kind;
            stack.pop_back();
            if (kind == Frame::Block) {
                --indent_;
                put(u"ENDIF");
                endLine();
                endLine();
            } else if (kind == Frame::BranchItems) {
                --indent_;
            }
            continue;
        }
        top.next = item->next;
        if (item->kind == InstallItemKind::ShowOptionList && itemAs<ShowOptionListItem>(item)) {
            writeOptionListLine(*item);
            stack.push_back({item->firstChild, Frame::Options, 0});
        } else if (item->kind == InstallItemKind::ConditionBlock && item->firstChild) {
            endLine();
            stack.push_back({item->firstChild, Frame::Branches, 0});
        } else {
            writeItem(*item);
        }
    }
}

void PackageTextBuilder::writeOptionListLine(const InstallItem& list) {
    endLine();
    put(u"!(");
    bool first = true;
    for (const InstallItem* child = list.firstChild; child; child = child->next) {
        const auto* option = itemAs<OptionItem>(child);
        if (!option)
            continue;
        if (!first)
            put(u", ");
        first = false;
        put(u'{');
        putQuotedList(option->names);
        put(u'}');
    }
    put(u')');
    endLine();
    endLine();
}

// IF / ELSEIF condition, or ELSE for the branch without one (the last).
void PackageTextBuilder::writeBranchLine(const InstallItem& branch, bool first) {
    const auto* conditional = itemAs<ConditionBranchItem>(&branch);
    const ConditionNode* condition = conditional ? conditional->condition.get() : nullptr;
    indent();
    if (condition) {
        noteCondition(*condition);
        put(first ? u"IF " : u"ELSEIF ");
        put(ConditionText(*condition));
    } else {
        put(u"ELSE");
    }
    endLine();
}

// Strings in a condition are quoted too, with no escape either.
void PackageTextBuilder::noteCondition(const ConditionNode& condition) {
    note(condition.text, condition.kind == ConditionNode::Kind::String ||
                                 condition.kind == ConditionNode::Kind::Exists
                             ? std::u16string_view(condition.text)
                             : std::u16string_view());
    for (const Condition& operand : condition.operands)
        if (operand)
            noteCondition(*operand);
}

void PackageTextBuilder::writeFileTail(const FileItemBase& file) {
    std::u16string_view run = RunKeyword(static_cast<int32_t>(file.runOption));
    if (run.empty())
        run = RunKeyword(0);
    switch (file.fileType) {
    case FileType::FR:
        putDrive(file.drive);
        put(u':');
        putText(file.target);
        put(u"\", FR, ");
        put(run);
        break;
    case FileType::FM:
        put(u"\", FM, \"");
        putText(file.mimeType);
        put(u"\", ");
        put(run);
        break;
    case FileType::FN:
        putDrive(file.drive);
        put(u':');
        putText(file.target);
        put(u"\", FN");
        return;
    default: // FF; file items carry no other type
        putDrive(file.drive);
        put(u':');
        putText(file.target);
        put(u"\", FF");
        return;
    }
    if (file.runWaitEnd)
        put(u", RW");
}

void PackageTextBuilder::writeGuardOpen(uint32_t uid) {
    indent();
    put(u"IF NOT package(");
    putHex(uid);
    put(u')');
    endLine();
    ++indent_;
}

void PackageTextBuilder::writeGuardClose() {
    --indent_;
    indent();
    put(u"ENDIF");
    endLine();
}

// "{" and one quoted source per package language, each on its own indented line.
void PackageTextBuilder::writeSourceBlock(const LocalizedText& sources,
                                          std::u16string_view opening) {
    indent();
    put(u'{');
    endLine();
    for (size_t i = 0; i < languageCount_; ++i) {
        indent();
        put(opening);
        putSource(entry(sources, i));
        put(u'"');
        endLine();
    }
}

void PackageTextBuilder::writeItem(const InstallItem& item) {
    if (const auto* file = itemAs<InstallFileItem>(&item)) {
        indent();
        put(u'"');
        // makesis never reads a null file's source: it stays as written, whatever the mode.
        if (file->fileType == FileType::FN)
            putText(file->source);
        else
            putSource(file->source);
        put(u"\" - \"");
        writeFileTail(*file);
        endLine();
    } else if (const auto* languageFile = itemAs<InstallLanguageFileItem>(&item)) {
        endLine();
        writeSourceBlock(languageFile->sources, u"\"");
        indent();
        put(u"}-\"");
        writeFileTail(*languageFile);
        endLine();
    } else if (const auto* include = itemAs<IncludePackageItem>(&item)) {
        if (!include->unconditional) {
            endLine();
            writeGuardOpen(include->uid);
        }
        indent();
        put(u"@\"");
        putSource(include->path);
        put(u"\", (");
        putHex(include->uid);
        put(u')');
        endLine();
        if (!include->unconditional)
            writeGuardClose();
    } else if (const auto* languageInclude = itemAs<IncludeLanguagePackageItem>(&item)) {
        endLine();
        if (!languageInclude->unconditional)
            writeGuardOpen(languageInclude->uid);
        writeSourceBlock(languageInclude->paths, u"@\"");
        indent();
        put(u"},(");
        putHex(languageInclude->uid);
        put(u')');
        endLine();
        if (!languageInclude->unconditional)
            writeGuardClose();
    } else if (const auto* dialog = itemAs<DialogItemBase>(&item)) {
        std::u16string_view keyword = TextKeyword(static_cast<int32_t>(dialog->textOption));
        if (keyword.empty())
            keyword = TextKeyword(0);
        if (const auto* single = itemAs<ShowDialogItem>(&item)) {
            indent();
            put(u'"');
            putSource(single->source);
            put(u"\" - \"\", FT, ");
        } else if (const auto* perLanguage = itemAs<ShowLanguageDialogItem>(&item)) {
            endLine();
            writeSourceBlock(perLanguage->sources, u"\"");
            indent();
            put(u"}-\"\", FT, ");
        } else {
            return;
        }
        put(keyword);
        endLine();
    }
    // Options stand only in their option list; anything else writes nothing.
}

// The text goes to the file in pieces as it is built, so even a large package never needs all
// of it in memory. A failure abandons the save; unless the file is rewritten in place, the old
// file stays as it was.
ErrorCode streamText(const Package& package, const SourcePathResolver& resolve,
                     const ByteWriter& write) {
    try {
        WideText chunk;
        chunk.reserve(PackageTextBuilder::kChunkSize * 2);
        std::string buffer;
        bool writing = write(kUtf16LittleEndianMark);
        const TextFlush flush = [&](std::u16string_view text) {
            writing = writing && write(Utf16LittleEndianBytes(text, buffer));
        };
        PackageTextBuilder(package, resolve, &chunk, &flush).build();
        return err::kOk;
    } catch (const std::bad_alloc&) {
        return err::kOutOfMemory;
    }
}

} // namespace

WideText PackageText(const Package& package, const SourcePathResolver& resolve) {
    WideText text;
    PackageTextBuilder(package, resolve, &text).build();
    return text;
}

const WideText* FindUnwritableText(const Package& package) {
    static const SourcePathResolver kStoredPaths;
    PackageTextBuilder checker(package, kStoredPaths, nullptr);
    checker.build();
    return checker.unwritable();
}

ErrorCode WritePackage(const Package& package, const std::string& filePath,
                       const SourcePathResolver& resolve) {
    try {
        if (resolve && FindUnwritableText(package))
            return kErrorQuoteInText;
        // Vets the text as written (a resolved path can bring a quote of its own, from the SDK
        // root, say) and measures it before anything reaches the file.
        PackageTextBuilder measure(package, resolve, nullptr);
        measure.build();
        if (measure.unwritable())
            return kErrorQuoteInText;
        const uint64_t size = kUtf16LittleEndianMark.size() + 2 * uint64_t(measure.length());
        return WriteFileAtomically(filePath, size, [&](const ByteWriter& write) {
            return streamText(package, resolve, write);
        });
    } catch (const std::bad_alloc&) {
        return err::kOutOfMemory;
    }
}

} // namespace tb
