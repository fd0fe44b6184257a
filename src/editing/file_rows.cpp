#include "editing/file_rows.h"

#include <array>

namespace tb {

namespace {

constexpr std::array<std::u16string_view, kFileColumnCount> kColumnTitles = {
    u"Source", u"Target", u"Drive", u"Install Type"};

constexpr std::array<std::u16string_view, 3> kRunOptionTexts = {
    u"Run on installation", u"Run on unistallation", u"Run on installation and uninstallation"};

char16_t upperAscii(char16_t c) {
    return c >= u'a' && c <= u'z' ? char16_t(c - u'a' + u'A') : c;
}

// "!" before every letter; letters by the letter, whatever case the package wrote.
int driveRank(char16_t drive) {
    return drive == u'!' ? -1 : int(upperAscii(drive));
}

int compareText(std::u16string_view a, std::u16string_view b) {
    const int order = a.compare(b);
    return order < 0 ? -1 : order > 0;
}

} // namespace

std::u16string_view FileColumnTitle(FileColumn column) {
    return kColumnTitles[size_t(column)];
}

bool IsPreinstalled(PackageType type) {
    return type == PackageType::PreinstalledApplication || type == PackageType::PreinstalledAddOn;
}

const InstallFileItem* AsOverviewFile(const InstallItem* item) {
    const auto* file = itemAs<InstallFileItem>(item);
    if (!file || file->fileType == FileType::FM || file->fileType == FileType::FN ||
        file->target.empty())
        return nullptr;
    return file;
}

void CollectOverviewFiles(InstallItem* root, std::vector<InstallFileItem*>& out) {
    for (InstallItem* item = root; item; item = NextInPreOrder(item, root))
        if (InstallFileItem* file = AsOverviewFile(item))
            out.push_back(file);
}

std::vector<InstallFileItem*> CollectOverviewFiles(const ItemSequence& sequence) {
    std::vector<InstallFileItem*> out;
    for (InstallItem* item = sequence.first; item; item = item->next)
        CollectOverviewFiles(item, out);
    return out;
}

WideText DriveText(char16_t drive) {
    if (drive == u'!')
        return u"Let User Choose";
    return WideText{drive, u':'};
}

std::u16string_view RunOptionText(RunOption option) {
    const size_t index = size_t(option);
    return index < kRunOptionTexts.size() ? kRunOptionTexts[index] : kRunOptionTexts[0];
}

std::u16string_view InstallTypeText(FileType type, RunOption option) {
    return type == FileType::FF ? u"Install only" : RunOptionText(option);
}

WideText FileRowText(const InstallFileItem& file, FileColumn column) {
    switch (column) {
    case FileColumn::Source:
        return file.source;
    case FileColumn::Target:
        return file.target;
    case FileColumn::Drive:
        return DriveText(file.drive);
    case FileColumn::InstallType:
        return WideText(InstallTypeText(file.fileType, file.runOption));
    }
    return {};
}

int CompareFileRows(const InstallFileItem& a, const InstallFileItem& b, FileColumn column) {
    switch (column) {
    case FileColumn::Source:
        return compareText(a.source, b.source);
    case FileColumn::Target:
        return compareText(a.target, b.target);
    case FileColumn::Drive:
        return driveRank(a.drive) - driveRank(b.drive);
    case FileColumn::InstallType:
        return int(a.fileType) - int(b.fileType);
    }
    return 0;
}

} // namespace tb
