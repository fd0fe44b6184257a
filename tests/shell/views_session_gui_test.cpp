// A whole session in the window through every view: a package edited in each of the eight,
// built, saved and opened again, with every value back.
#include "build_gui_fixture.h"

#include "editing/file_rows.h"
#include "model/package_writer.h"
#include "shell/build_completed_dialog.h"
#include "shell/main_window.h"
#include "shell/package_languages_dialog.h"
#include "support/gui_doubles.h"
#include "support/typing.h"
#include "ui/confirmation_dialog.h"
#include "ui/language_pickers.h"
#include "views/dependencies/dependency_dialog.h"
#include "views/deployment/deployment_view.h"
#include "views/file_overview/file_overview_view.h"
#include "views/general_info/general_info_view.h"
#include "views/general_info/uid_edit.h"
#include "views/list_view_page.h"
#include "views/localization/localization_view.h"
#include "views/phone/phone_tree.h"
#include "views/phone/phone_view.h"
#include "views/properties/property_dialog.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>

#include <filesystem>

namespace tb::test {
namespace {

namespace cmd = ui::cmd;

class ViewsSessionTest : public BuildGuiTest {
protected:
    void SetUp() override {
        ASSERT_EQ(app.document.save(), 0);
        ASSERT_TRUE(window.openPackage(app.document.filePath(), false));
    }

    template <class View> View& show(ViewIndex index) {
        commands.execute(cmd::kFirstView + int(index));
        return *static_cast<View*>(window.view(int(index)));
    }
    static QTreeWidgetItem* node(QTreeWidget& tree, const QString& label) {
        const auto found = tree.findItems(label, Qt::MatchExactly | Qt::MatchRecursive);
        return found.isEmpty() ? nullptr : found.front();
    }

    AnsweringFileDialogs files;
    MainWindow window{app, commands};
};

TEST_F(ViewsSessionTest, EveryViewEditsSavesBuildsAndReopensWithItsValues) {
    // Phone View: a folder of the private folder, renamed, and a file added into it.
    auto& phone = show<PhoneView>(ViewIndex::PhoneView);
    PhoneTree& tree = *phone.tree();
    ASSERT_TRUE(node(tree, "[Private]"));
    tree.selectNode(node(tree, "[Private]"));
    phone.addFolder();
    auto* label = qobject_cast<QLineEdit*>(tree.indexWidget(tree.currentIndex()));
    ASSERT_TRUE(label) << "a new folder opens its label edit";
    label->setText("Docs");
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(label, &enter);
    ASSERT_TRUE(WaitFor([&] { return node(tree, "Docs") != nullptr; }));
    tree.selectNode(node(tree, "Docs"));
    files.answer = QString::fromStdString(dir.write("notes.txt", "notes"));
    phone.addFiles();

    // File Overview: a library dropped in goes to \sys\bin.
    show<FileOverviewView>(ViewIndex::FileOverview)
        .addFiles({QString::fromStdString(dir.write("lib/engine.dll", "MZ"))});

    // Designer: an option list at the end.
    show<QWidget>(ViewIndex::Designer);
    EXPECT_TRUE(commands.execute(cmd::kInsertOptionList));

    // Dependencies and Properties: one of each through their dialogs.
    WhenModal<DependencyDialog> dependency([](DependencyDialog& d) {
        d.typeBox()->setCurrentIndex(1); // a package
        d.nameBox()->setText("Engine Lib");
        d.uidBox()->setText("0x20001234");
        EXPECT_TRUE(d.submit());
    });
    show<ListViewPage>(ViewIndex::Dependencies).list()->add();
    WhenModal<PropertyDialog> property([](PropertyDialog& d) {
        d.keyBox()->setText("7");
        d.valueBox()->setText("-3");
        EXPECT_TRUE(d.submit());
    });
    show<ListViewPage>(ViewIndex::Properties).list()->add();

    // Localization: French added, then the name translated in place.
    auto& localization = show<LocalizationView>(ViewIndex::Localization);
    WhenModal<ui::ConfirmationDialog> confirm(
        [](ui::ConfirmationDialog& d) { d.yesButton()->click(); });
    WhenModal<PackageLanguagesDialog> languages([](PackageLanguagesDialog& d) {
        d.languageList()->setChecked(2, true);
        d.okButton()->click();
    });
    localization.editLanguages();
    localization.editRow(0); // "Package name"
    ASSERT_TRUE(localization.openEditor());
    localization.openEditor()->setText("Appli");

    // General Info: texts typed, then a new UID that moves the private folder's files.
    auto& general = show<GeneralInfoView>(ViewIndex::GeneralInfo);
    EXPECT_EQ(package().names, (LocalizedText{u"App", u"Appli"})) << "leaving commits";
    Retype(general.nameBox(), "Session App");
    Retype(general.vendorBox(), "Orchard");
    Retype(general.globalVendorBox(), "Orchard Ltd");
    Retype(general.versionBox(0), "2");
    Retype(general.versionBox(1), "5");
    Retype(general.versionBox(2), "7");
    WhenModal<EditUidDialog> uid([](EditUidDialog& d) {
        d.uidBox()->setText("0xA0001234");
        EXPECT_TRUE(d.submit());
    });
    general.editUid();

    // Deployment: the output name, no compression, the build number raised by builds.
    auto& deployment = show<DeploymentView>(ViewIndex::Deployment);
    Retype(deployment.outputNameBox(), "Session.sis");
    deployment.compressBox()->setChecked(false);
    deployment.autoIncrementBox()->setChecked(true);
    show<QWidget>(ViewIndex::GeneralInfo);

    // The private folder's files follow the UID, \\sys\\bin stays.
    std::vector<WideText> targets;
    for (const InstallFileItem* file : CollectOverviewFiles(package().items))
        targets.push_back(file->target);
    EXPECT_EQ(targets, (std::vector<WideText>{u"\\private\\a0001234\\Docs\\notes.txt",
                                              u"\\sys\\bin\\engine.dll"}));

    // Built through the stand-in tools: the build number goes up once, after the success.
    WhenModal<BuildCompletedDialog> completed(
        [](BuildCompletedDialog& d) { d.closeButton()->click(); });
    runBuild(&window);
    EXPECT_TRUE(completed.seen()) << firstBox();
    EXPECT_TRUE(std::filesystem::exists(dir.file("Session.sis")));
    EXPECT_EQ(package().versionBuild, 8);

    ASSERT_TRUE(commands.execute(cmd::kSave));
    const WideText saved = PackageText(package());
    app.document.close();
    ASSERT_TRUE(window.openPackage(dir.file("App.pkg"), false));
    EXPECT_EQ(PackageText(package()), saved);

    const Package& back = package();
    EXPECT_EQ(std::tuple(back.uid, back.names, back.vendors, back.globalVendor, back.versionMajor,
                         back.versionMinor, back.versionBuild, back.compress),
              std::tuple(0xA0001234u, LocalizedText{u"Session App", u"Appli"},
                         LocalizedText{u"Orchard", u""}, u"Orchard Ltd", 2, 5, 8, false));
    EXPECT_EQ(std::tuple(back.output.autoIncrementVersion, back.output.outputName),
              std::tuple(true, u"Session.sis"));
    ASSERT_EQ(std::tuple(back.packageDependencies.size(), back.properties.size()),
              std::tuple(1u, 1u));
    EXPECT_EQ(std::tuple(back.packageDependencies[0]->uid, back.packageDependencies[0]->names),
              std::tuple(0x20001234u, LocalizedText{u"Engine Lib", u""}));
    EXPECT_EQ(std::tuple(back.properties[0]->key, back.properties[0]->value), std::tuple(7, -3));
    EXPECT_TRUE(node(*show<PhoneView>(ViewIndex::PhoneView).tree(), "Docs"))
        << "the user folder is rebuilt from the targets";
}

} // namespace
} // namespace tb::test
