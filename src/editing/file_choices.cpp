#include "editing/file_choices.h"

namespace tb {

namespace {

constexpr int kRunOptionCount = 3;

char16_t upperAscii(char16_t c) {
    return c >= u'a' && c <= u'z' ? char16_t(c - u'a' + u'A') : c;
}

int runIndex(RunOption option) {
    const int index = int(option);
    return index >= 0 && index < kRunOptionCount ? index : 0;
}

} // namespace

WideText DriveEntryText(int entry) {
    if (entry <= 0 || entry >= kDriveEntryCount)
        return u"Let user choose";
    return WideText{char16_t(u'A' + entry - 1), u':'};
}

int DriveEntryOf(char16_t drive) {
    const char16_t letter = upperAscii(drive);
    return letter >= u'A' && letter <= u'Z' ? 1 + (letter - u'A') : 0;
}

char16_t DriveOfEntry(int entry) {
    return entry <= 0 || entry >= kDriveEntryCount ? u'!' : char16_t(u'A' + entry - 1);
}

int InstallTypeEntryOf(FileType type, RunOption option) {
    return type == FileType::FF ? 0 : 1 + runIndex(option);
}

FileType FileTypeOfEntry(int entry) {
    return entry > 0 ? FileType::FR : FileType::FF;
}

RunOption RunOptionOfEntry(int entry) {
    return entry > 0 && entry <= kRunOptionCount ? RunOption(entry - 1) : RunOption::RI;
}

int LaunchEntryOf(RunOption option) {
    return runIndex(option);
}

TargetParts SplitTarget(std::u16string_view target) {
    const size_t separator = target.rfind(u'\\');
    if (separator == std::u16string_view::npos)
        return {{}, WideText(target)};
    return {WideText(target.substr(0, separator + 1)), WideText(target.substr(separator + 1))};
}

InstallChoices ChoicesOf(const FileItemBase& file) {
    return {DriveEntryOf(file.drive), InstallTypeEntryOf(file.fileType, file.runOption),
            file.runWaitEnd};
}

bool ApplyChoices(FileItemBase& file, const InstallChoices& choices) {
    const InstallChoices before = ChoicesOf(file);
    bool changed = false;
    if (choices.driveEntry != before.driveEntry) {
        file.drive = DriveOfEntry(choices.driveEntry);
        changed = true;
    }
    if (choices.installTypeEntry != before.installTypeEntry) {
        file.fileType = FileTypeOfEntry(choices.installTypeEntry);
        file.runOption = RunOptionOfEntry(choices.installTypeEntry);
        changed = true;
    }
    if (choices.wait != file.runWaitEnd) {
        file.runWaitEnd = choices.wait;
        changed = true;
    }
    return changed;
}

} // namespace tb
