#pragma once

#include "document/document_listener.h"
#include "model/condition.h"
#include "model/install_item.h"

#include <memory>
#include <optional>

class QWidget;

// The dialogs that create and edit the installation sequence's actions other than files. None
// of them changes the package by hand: an edit goes through the document's changeItem with the
// caller's origin, and a new item comes back unplaced for the caller to insertItem.
namespace tb {

class PackageDocument;

// "Edit Option": the option's text in the current language. True when OK closed the dialog;
// the package changes (and is marked modified) only when the text differs.
bool EditOption(QWidget* owner, PackageDocument& document, OptionItem* option, EditOrigin by);

// "Show Dialog", new mode: writes <name>.txt beside the package and returns the item that
// names it, or null when the user cancelled.
std::unique_ptr<ShowDialogItem> NewShowDialog(QWidget* owner, PackageDocument& document);
// Edit mode: OK rewrites the text file (the package is not marked modified for the text) and
// changes the item when its button kind changed. True when OK closed the dialog.
bool EditShowDialog(QWidget* owner, PackageDocument& document, ShowDialogItem* dialog,
                    EditOrigin by);

// "Show Language Dependent Dialog": the same with one text file per package language,
// <name>_<language name>.txt; the edit mode shows and saves the current language's file.
std::unique_ptr<ShowLanguageDialogItem> NewShowLanguageDialog(QWidget* owner,
                                                              PackageDocument& document);
bool EditShowLanguageDialog(QWidget* owner, PackageDocument& document,
                            ShowLanguageDialogItem* dialog, EditOrigin by);

// "Include Package <path>": only the "Install only if not already installed" box is edited.
bool EditIncludePackage(QWidget* owner, PackageDocument& document, IncludePackageItem* package,
                        EditOrigin by);

// "Include Language Dependent Package": one SIS file per language, all with the same UID.
std::unique_ptr<IncludeLanguagePackageItem> NewIncludeLanguagePackage(QWidget* owner,
                                                                      PackageDocument& document);
bool EditIncludeLanguagePackage(QWidget* owner, PackageDocument& document,
                                IncludeLanguagePackageItem* package, EditOrigin by);

// "Condition": the condition of an IF or ELSEIF branch in one text box, starting from current
// (empty when null). The parsed condition, or none when the user cancelled.
std::optional<Condition> AskCondition(QWidget* owner, const ConditionNode* current);

} // namespace tb
