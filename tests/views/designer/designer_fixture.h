#pragma once

#include "editing/sequence_tree_text.h"
#include "model/package_reader.h"
#include "model/package_writer.h"
#include "views/designer/designer_view.h"
#include "views/designer/sequence_tree.h"
#include "views/view_fixture.h"

namespace tb::test {

// Every kind of node: files (installed, launched, per language, null), an option list with
// options, dialogs, embedded packages and a condition block, in two languages.
inline constexpr const char* kDesignerPackage = R"(&EN,FR
#{"Demo","Démo"},(0xA0001234),1,0,0
%{"Vendor","Vendeur"}
:"Vendor"

"app.exe"-"!:\sys\bin\app.exe"
"view.txt"-"",FM,"text/plain"
{"en.rsc" "fr.rsc"}-"!:\resource\apps\lang.rsc"
""-"!:\private\a0001234\cache.dat",FN
!({"Help","Aide"},{"Extras","Extras"})
IF option1
	"help.txt"-"!:\private\a0001234\help.txt"
	"Intro.txt"-"",FT,TC
ENDIF
@"sub.sis",(0x20001234)
IF exists("c:\x.txt")
	"c.txt"-"!:\private\a0001234\c.txt"
ELSE
ENDIF
)";

inline constexpr const char* kDesignerTree = R"(Install Start
  InstallFile [\sys\bin\app.exe]
  LaunchFile [view.txt]
  InstallLanguageFile [\resource\apps\lang.rsc]
  NullFile [\private\a0001234\cache.dat]
  ShowOptionList
    Option ["Help"]
      InstallFile [\private\a0001234\help.txt]
      ShowDialog [Intro]
    Option ["Extras"]
  IncludePackage [sub.sis]
  IF [exists("c:\x.txt")]
    InstallFile [\private\a0001234\c.txt]
  ELSE
)";

// The tree's labels, one node a line, indented by depth as SequenceTreeText writes them.
inline std::string ShownTree(const QTreeWidgetItem* node, const std::string& indent = "") {
    std::string text = indent + node->text(0).toStdString() + "\n";
    for (int i = 0; i < node->childCount(); ++i)
        text += ShownTree(node->child(i), indent + "  ");
    return text;
}

// The Designer, shown and active, on a package in a folder of its own.
class DesignerTest : public AppTest {
protected:
    void SetUp() override {
        ASSERT_EQ(document.open(dir.write("Demo.pkg", kDesignerPackage), false), err::kOk);
        view.show();
        view.activate();
    }

    std::string shown() const { return ShownTree(tree.rootNode()); }
    std::string model() const {
        return SequenceTreeText(app.document.package()->items, app.document.currentLanguage());
    }
    // The package written and read again, as a tree.
    std::string readBack() const {
        std::unique_ptr<Package> back;
        EXPECT_EQ(ParsePackageText(PackageText(*app.document.package()), back), 0);
        return back ? SequenceTreeText(back->items, app.document.currentLanguage()) : "";
    }

    // The node with this label (the first in tree order).
    QTreeWidgetItem* node(const std::string& label) const {
        const auto found =
            tree.findItems(QString::fromStdString(label), Qt::MatchExactly | Qt::MatchRecursive);
        if (found.isEmpty())
            ADD_FAILURE() << "no node " << label;
        return found.isEmpty() ? nullptr : found.front();
    }
    void select(const std::string& label) { tree.selectNode(node(label)); }
    std::string selected() const {
        const QTreeWidgetItem* at = tree.selectedNode();
        return at ? at->text(0).toStdString() : "";
    }

    DesignerView view{app, registry};
    SequenceTree& tree = *view.tree();
};

} // namespace tb::test
