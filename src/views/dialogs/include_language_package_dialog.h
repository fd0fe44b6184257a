#pragma once

#include "model/install_item.h"
#include "ui/form_dialog.h"
#include "util/wide_text.h"

#include <cstdint>
#include <optional>
#include <vector>

class QCheckBox;
class QLabel;
class QTreeWidget;

namespace tb {

class PackageDocument;

// "Include Language Dependent Package": one embedded SIS file per package language, all with
// one UID, and whether they are installed when the device has the package already.
class IncludeLanguagePackageDialog : public ui::FormDialog {
    Q_OBJECT
public:
    // The rows start from package's files (each taken to have package's UID).
    IncludeLanguagePackageDialog(QWidget* owner, PackageDocument& document,
                                 const IncludeLanguagePackageItem& package);

    QLabel* uidLabel() const { return uid_; }
    QTreeWidget* sourceList() const { return list_; }
    QPushButton* browseButton() const { return browse_; }
    QCheckBox* onlyIfNotInstalledBox() const { return onlyIfNotInstalled_; }

    // What OK accepted: one stored path per language, the shared UID, the unconditional flag.
    LocalizedText storedPaths() const;
    uint32_t chosenUid() const;
    bool unconditional() const;

    // "Browse..." for the selected row.
    void browse();

private:
    struct Row {
        WideText shown;  // the path in the list: as stored, or as chosen
        WideText stored; // as it goes into the package
        std::optional<uint32_t> uid;
    };

    void showRow(size_t row);
    std::optional<ui::FormProblem> checkRows() const;

    PackageDocument& document_;
    std::vector<Row> rows_;
    QLabel* uid_;
    QTreeWidget* list_;
    QPushButton* browse_;
    QCheckBox* onlyIfNotInstalled_;
};

} // namespace tb
