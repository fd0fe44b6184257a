#include "editing/sequence_labels.h"

#include "model/condition.h"
#include "util/format.h"

namespace tb {

namespace {

WideText bracketed(std::u16string_view word, std::u16string_view value) {
    WideText label(word);
    label += u" [";
    label += value;
    label += u']';
    return label;
}

const WideText& textIn(const LocalizedText& texts, size_t language) {
    static const WideText kNone;
    return language < texts.size() ? texts[language] : kNone;
}

const WideText& firstNonEmpty(const LocalizedText& texts) {
    for (const WideText& text : texts)
        if (!text.empty())
            return text;
    return textIn(texts, 0);
}

WideText fileLabel(const FileItemBase& file) {
    if (file.fileType == FileType::FN)
        return bracketed(u"NullFile", file.target);
    const auto* single = itemAs<InstallFileItem>(&file);
    if (file.fileType == FileType::FM)
        return single ? bracketed(u"LaunchFile", single->source)
                      : bracketed(u"LaunchLanguageFile",
                                  firstNonEmpty(itemAs<InstallLanguageFileItem>(&file)->sources));
    return bracketed(single ? u"InstallFile" : u"InstallLanguageFile", file.target);
}

WideText branchLabel(const ConditionBranchItem& branch) {
    if (!branch.condition)
        return u"ELSE";
    return bracketed(branch.previous ? u"ELSEIF" : u"IF", ConditionText(*branch.condition));
}

} // namespace

WideText SequenceLabel(const InstallItem& item, size_t language) {
    if (const auto* file = itemAs<FileItemBase>(&item))
        return fileLabel(*file);
    if (const auto* option = itemAs<OptionItem>(&item))
        return u"Option [\"" + textIn(option->names, language) + u"\"]";
    if (const auto* branch = itemAs<ConditionBranchItem>(&item))
        return branchLabel(*branch);
    if (const auto* dialog = itemAs<ShowDialogItem>(&item))
        return bracketed(u"ShowDialog", dialog->name);
    if (const auto* dialog = itemAs<ShowLanguageDialogItem>(&item))
        return bracketed(u"ShowLanguageDialog", dialog->name);
    if (const auto* package = itemAs<IncludePackageItem>(&item))
        return bracketed(u"IncludePackage", package->path);
    if (const auto* package = itemAs<IncludeLanguagePackageItem>(&item))
        return bracketed(u"IncludeLanguagePackage", format(u"0x%x", {package->uid}));
    if (item.kind == InstallItemKind::ShowOptionList)
        return u"ShowOptionList";
    return {};
}

WideText EditedSequenceLabel(const InstallItem& item, size_t language) {
    const auto* file = itemAs<InstallLanguageFileItem>(&item);
    if (!file || file->fileType == FileType::FN)
        return SequenceLabel(item, language);
    if (file->fileType == FileType::FM)
        return u"LaunchLanguageFileInViewer (" + textIn(file->sources, language) + u")";
    return u"InstallLanguageFile (" + file->target + u")";
}

WideText NewOptionText(size_t optionCount) {
    return format(u"Option %d", {optionCount});
}

} // namespace tb
