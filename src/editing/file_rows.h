#pragma once

#include "model/install_item.h"
#include "model/package.h"
#include "util/wide_text.h"

#include <string_view>
#include <vector>

// The File Overview's rows: which files are listed, the texts of their columns and the order
// a column sorts them in.
namespace tb {

enum class FileColumn { Source = 0, Target = 1, Drive = 2, InstallType = 3 };
inline constexpr int kFileColumnCount = 4;

std::u16string_view FileColumnTitle(FileColumn column);

// The pre-installed package types know no drive and no install type.
bool IsPreinstalled(PackageType type);

// A plain file that installs something: not launched in a viewer, not a null file, with a
// target. Language-dependent files are not listed.
const InstallFileItem* AsOverviewFile(const InstallItem* item);
inline InstallFileItem* AsOverviewFile(InstallItem* item) {
    return const_cast<InstallFileItem*>(AsOverviewFile(static_cast<const InstallItem*>(item)));
}

// The listed files of root's subtree (root included) / of the whole sequence, in sequence
// order, files inside options and condition branches included.
void CollectOverviewFiles(InstallItem* root, std::vector<InstallFileItem*>& out);
std::vector<InstallFileItem*> CollectOverviewFiles(const ItemSequence& sequence);

// "Let User Choose" for "!", else the letter and ":".
WideText DriveText(char16_t drive);
// "Run on installation", "Run on unistallation", "Run on installation and uninstallation".
std::u16string_view RunOptionText(RunOption option);
// "Install only" for FF, the run option's text for every other type.
std::u16string_view InstallTypeText(FileType type, RunOption option);

WideText FileRowText(const InstallFileItem& file, FileColumn column);

// Negative, zero or positive as a sorts before, with or after b by column: Source and Target
// by their text, Drive with "Let User Choose" first and then by letter, Install Type by the
// file type's code.
int CompareFileRows(const InstallFileItem& a, const InstallFileItem& b, FileColumn column);

} // namespace tb
