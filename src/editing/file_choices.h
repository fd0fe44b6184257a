#pragma once

#include "model/install_item.h"
#include "util/wide_text.h"

#include <array>
#include <string_view>

// The choices of the install-file dialogs and what each entry stores.
namespace tb {

// "Drive:": "Let user choose", then "A:" to "Z:".
inline constexpr int kDriveEntryCount = 27;
WideText DriveEntryText(int entry);
// "!" gives the first entry, a letter (either case) its own; anything else the first.
int DriveEntryOf(char16_t drive);
char16_t DriveOfEntry(int entry);

// "Install type:": "Install only", then the three run options in their order.
inline constexpr std::array<std::u16string_view, 4> kInstallTypeEntries = {
    u"Install only", u"Run on installation", u"Run on unistallation",
    u"Run on installation and uninstallation"};
int InstallTypeEntryOf(FileType type, RunOption option);
// FF for the first entry, else FR.
FileType FileTypeOfEntry(int entry);
// The run option of a run entry; RI for "Install only".
RunOption RunOptionOfEntry(int entry);
// Only the run entries wait for the program.
inline bool EntryRuns(int entry) {
    return entry > 0;
}

// "Launch in viewer:": the run options in their order.
inline constexpr std::array<std::u16string_view, 3> kLaunchEntries = {
    u"On installation", u"On uninstallation", u"On both installation and uninstallation"};
int LaunchEntryOf(RunOption option);

// A target path as the dialogs show it: the folder up to and with its last backslash, and
// the file name after it.
struct TargetParts {
    WideText folder;
    WideText name;
};
TargetParts SplitTarget(std::u16string_view target);

// The drive, install type and wait flag as the dialogs hand them over; applying them to a file
// gives whether anything changed. An entry that stands for the value the file has already
// keeps it as written (a lower-case drive letter stays lower case).
struct InstallChoices {
    int driveEntry = 0;
    int installTypeEntry = 0;
    bool wait = true;
};
InstallChoices ChoicesOf(const FileItemBase& file);
bool ApplyChoices(FileItemBase& file, const InstallChoices& choices);

} // namespace tb
