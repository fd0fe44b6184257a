#pragma once

#include "document/document_listener.h"
#include "model/install_item.h"

#include <QStringList>

#include <memory>
#include <vector>

class QWidget;

// The dialogs that edit one file of the installation sequence, for every view that shows files
// (File Overview, Designer, Phone View). Each applies what OK takes through the document's
// edits, with the caller's origin; Cancel changes nothing.
namespace tb {

class PackageDocument;

// Whether EditFileItem has a dialog for item: plain and language-dependent file items.
bool HasFileDialog(const InstallItem* item);

// Opens the dialog for item and applies the result:
//  - a null file (FN): the reduced Install File dialog, target name, folder and drive only
//    (no drive for the pre-installed package types);
//  - a plain file: Launch File In Viewer for FM, else Install File (for the pre-installed
//    package types without drive, install type and wait box);
//  - a language-dependent file: Launch Language Dependent File In Viewer for FM, else Install
//    Language Dependent File.
// True when the user pressed OK (whether or not a value changed); false on Cancel, without an
// open package, or for an item HasFileDialog refuses.
bool EditFileItem(QWidget* owner, PackageDocument& document, InstallItem* item, EditOrigin by);

// The Install Language Dependent File Wizard on a new item: the item when the user pressed
// Finish (not placed: the caller inserts it), null on Cancel or without an open package.
std::unique_ptr<InstallLanguageFileItem> RunInstallLanguageFileWizard(QWidget* owner,
                                                                      PackageDocument& document);

// The Launch Language Dependent File In Viewer dialog on a new FM item: the item on OK (not
// placed), null on Cancel or without an open package.
std::unique_ptr<InstallLanguageFileItem> RunLaunchLanguageFileDialog(QWidget* owner,
                                                                     PackageDocument& document);

// "Add File(s)": the files the user chose (host paths, in the dialog's order); empty on
// Cancel.
QStringList ChooseFilesToAdd(QWidget* owner);

// New install-only items for host files, as "Add File(s)" and dropped files make them:
// source stored relative to the package folder (or in macro form under an SDK), default
// target by extension, drive "!". Empty without an open package.
std::vector<std::unique_ptr<InstallFileItem>> NewInstallFileItems(PackageDocument& document,
                                                                  const QStringList& hostPaths);

} // namespace tb
