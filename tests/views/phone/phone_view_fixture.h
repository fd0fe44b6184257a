#pragma once

#include "model/package.h"
#include "util/text_convert.h"
#include "views/phone/phone_tree.h"
#include "views/phone/phone_view.h"
#include "views/view_fixture.h"

#include <QAction>
#include <QMenu>
#include <QPushButton>

namespace tb::test {

// Files in every place a folder can get them from: plain, null, language-dependent, inside an
// option and in both branches of a condition; one launched in a viewer and one outside the
// device folders, neither of which is shown.
inline constexpr const char* kPhonePackage = R"(&EN
#{"Demo"},(0xA0001234),1,0,0
%{"Vendor"}
:"Vendor"

"app.exe"-"!:\sys\bin\app.exe"
"a.txt"-"!:\private\a0001234\data\a.txt"
"Readme.txt"-"!:\private\a0001234\readme.txt"
""-"!:\private\a0001234\data\cache.dat",FN
"view.txt"-"",FM,"text/plain"
"loose.txt"-"!:\data\loose.txt"
{"en.rsc"}-"!:\resource\apps\lang.rsc"
"reg.rsc"-"!:\private\10003a3f\import\apps\app_reg.rsc"
!({"Extras"})
IF option1
	"b.txt"-"!:\private\a0001234\data\sub\b.txt"
ENDIF
IF exists("c:\x.txt")
	"c.txt"-"!:\private\a0001234\data\sub\deep\c.txt"
ELSE
	"d.txt"-"!:\private\a0001234\other\d.txt"
ENDIF
)";

inline QString SelectedPath(const PhoneTree& tree) {
    QStringList path;
    for (const QTreeWidgetItem* at = tree.selectedNode(); at; at = at->parent())
        path.prepend(at->text(0));
    return path.join('/');
}

// Every file target of the package in sequence order, one per line.
inline std::string Targets(const PackageDocument& document) {
    std::string text;
    for (const InstallItem* item : CollectFileItems(document.package()->items))
        text += wideToUtf8(itemAs<FileItemBase>(item)->target) + "\n";
    return text;
}

inline FileItemBase* FileWithTarget(PackageDocument& document, std::u16string_view target) {
    for (InstallItem* item : CollectFileItems(document.package()->items))
        if (auto* file = itemAs<FileItemBase>(item); file->target == target)
            return file;
    ADD_FAILURE() << "no file " << wideToUtf8(target);
    return nullptr;
}

// The item events as "Changed Phone", and "(" and ")" around an edit batch.
struct EventLog : DocumentListener {
    void itemChanged(const ItemChange& change) override {
        static const char* const kTypes[] = {"Added", "Changed", "Removed", "Moved"};
        static const char* const kSources[] = {"Sequence", "Phone", "FileDialog"};
        seen.push_back(std::string(kTypes[int(change.type)]) + " " + kSources[int(change.source)]);
    }
    void editBatchStarted() override { seen.push_back("("); }
    void editBatchEnded() override { seen.push_back(")"); }
    std::vector<std::string> seen;
};

// The Phone View, shown and active, on kPhonePackage.
class PhoneViewTest : public AppTest {
protected:
    void SetUp() override {
        ASSERT_EQ(document.open(dir.write("Demo.pkg", kPhonePackage), false), err::kOk);
        view.show();
        view.activate();
        document.addListener(&log);
    }
    void TearDown() override { document.removeListener(&log); }

    void select(const QStringList& path) {
        QTreeWidgetItem* node = Node(tree, path);
        ASSERT_TRUE(node) << path.join('/').toStdString();
        tree.selectNode(node);
    }

    // What the node of path holds, as TreeText.
    std::string children(const QStringList& path) const {
        const QTreeWidgetItem* node = Node(tree, path);
        return node ? TreeText(node) : "<no " + path.join('/').toStdString() + ">";
    }

    // The open label edit of the selected node.
    QLineEdit* editor() const {
        return qobject_cast<QLineEdit*>(tree.indexWidget(tree.indexFromItem(tree.selectedNode())));
    }

    // Types name into the open label edit and presses Enter.
    void enterName(const QString& name) {
        QLineEdit* edit = editor();
        ASSERT_TRUE(edit) << "no label edit open";
        edit->setText(name);
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
        QApplication::sendEvent(edit, &press);
        // The delegate commits in a posted call, the view takes the name in another.
        for (int round = 0; round < 3; ++round)
            QApplication::processEvents();
    }

    PhoneView view{app, registry};
    PhoneTree& tree = *view.tree();
    EventLog log;
};

} // namespace tb::test
