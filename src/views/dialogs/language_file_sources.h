#pragma once

#include "ui/form_dialog.h"
#include "util/wide_text.h"

#include <QWidget>

#include <optional>
#include <vector>

class QPushButton;
class QTreeWidget;

namespace tb {

class PackageDocument;

// The "Language" / "Source" list of the language-dependent file dialogs: one row per package
// language in package order, and "Browse..." for the selected row. A chosen file is shown as
// chosen and stored relative to the package's folder when it can be.
class LanguageFileSources : public QWidget {
    Q_OBJECT
public:
    // browseTitle and browseFilter are those of Browse's file-open dialog (empty: none).
    LanguageFileSources(PackageDocument& document, const LocalizedText& sources,
                        const QString& browseTitle, const QString& browseFilter, QWidget* parent);

    QTreeWidget* list() const { return list_; }
    QPushButton* browseButton() const { return browse_; }

    // The sources in their stored form, one per package language.
    LocalizedText sources() const;
    // The first source, or the first chosen one, as it is shown; empty when there is none.
    WideText firstSource() const;
    // "You must select a source file for each language." with the row selected.
    std::optional<ui::FormProblem> problem() const;

    // Browse for the selected row (the first when none is).
    void browse();

signals:
    void sourceChosen(int row);

private:
    PackageDocument& document_;
    QString browseTitle_;
    QString browseFilter_;
    LocalizedText stored_;
    std::vector<bool> chosen_; // shown as chosen on this computer, not yet stored
    QTreeWidget* list_;
    QPushButton* browse_;
};

} // namespace tb
