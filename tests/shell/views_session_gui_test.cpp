// A whole session in the window through every view: a package edited in each of the eight,
// built, saved and opened again, with every value back.
#include "build_gui_fixture.h"

#include "editing/file_rows.h"
#include "model/package_writer.h"
#include "shell/build_command.h"
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
#include <QLabel>
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
    // Opens a modal dialog of type D with start and hands it to act while it is up.
    template <class D>
    void answer(const std::function<void()>& start, const std::function<void(D&)>& act) {
        WhenModal<D> modal(act);
        start();
        EXPECT_TRUE(modal.seen());
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
    WaitFor([&] { return node(tree, "Docs") != nullptr; });
    ASSERT_TRUE(node(tree, "Docs"));
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
    auto& dependencies = show<ListViewPage>(ViewIndex::Dependencies);
    answer<DependencyDialog>([&] { dependencies.list()->add(); },
                             [](DependencyDialog& d) {
                                 d.typeBox()->setCurrentIndex(1); // a package
                                 d.nameBox()->setText("Engine Lib");
                                 d.uidBox()->setText("0x20001234");
                                 d.fixedBox(0)->setText("2");
                                 d.fixedBox(1)->setText("1");
                                 d.fixedBox(2)->setText("0");
                                 EXPECT_TRUE(d.submit());
                             });
    auto& properties = show<ListViewPage>(ViewIndex::Properties);
    answer<PropertyDialog>([&] { properties.list()->add(); },
                           [](PropertyDialog& d) {
                               d.keyBox()->setText("7");
                               d.valueBox()->setText("-3");
                               EXPECT_TRUE(d.submit());
                           });

    // Localization: French added, then the name translated in place.
    auto& localization = show<LocalizationView>(ViewIndex::Localization);
    WhenModal<ui::ConfirmationDialog> confirm(
        [](ui::ConfirmationDialog& d) { d.yesButton()->click(); });
    answer<PackageLanguagesDialog>([&] { localization.editLanguages(); },
                                   [](PackageLanguagesDialog& d) {
                                       d.languageList()->setChecked(2, true);
                                       d.okButton()->click();
                                   });
    ASSERT_EQ(package().languages, (std::vector<uint32_t>{1, 2}));
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
    answer<EditUidDialog>([&] { general.editUid(); },
                          [](EditUidDialog& d) {
                              d.uidBox()->setText("0xA0001234");
                              EXPECT_TRUE(d.submit());
                          });
    EXPECT_EQ(general.uidLabel()->text(), "0xa0001234");

    // Deployment: the output name, no compression, the build number raised by builds.
    auto& deployment = show<DeploymentView>(ViewIndex::Deployment);
    Retype(deployment.outputNameBox(), "Session.sis");
    deployment.compressBox()->setChecked(false);
    deployment.autoIncrementBox()->setChecked(true);
    show<QWidget>(ViewIndex::GeneralInfo);

    const Package& made = package();
    EXPECT_EQ(made.vendors, (LocalizedText{u"Orchard", u""}));
    std::vector<WideText> targets;
    for (const InstallFileItem* file : CollectOverviewFiles(made.items))
        targets.push_back(file->target);
    EXPECT_NE(std::find(targets.begin(), targets.end(), u"\\private\\a0001234\\Docs\\notes.txt"),
              targets.end())
        << "the private folder's files follow the UID: " << ::testing::PrintToString(targets);
    EXPECT_NE(std::find(targets.begin(), targets.end(), u"\\sys\\bin\\engine.dll"), targets.end())
        << "\\sys\\bin stays";

    // Built through the stand-in tools: the build number goes up once, after the success.
    WhenModal<BuildCompletedDialog> completed(
        [](BuildCompletedDialog& d) { d.closeButton()->click(); });
    RunBuildCommand(&window, app, [] {});
    WaitFor([this] { return !app.buildController.building(); });
    QCoreApplication::processEvents();
    EXPECT_TRUE(completed.seen()) << (boxes.shown.empty() ? "" : boxes.shown[0].text.toStdString());
    EXPECT_TRUE(std::filesystem::exists(dir.file("Session.sis")));
    EXPECT_EQ(package().versionBuild, 8);

    ASSERT_TRUE(commands.execute(cmd::kSave));
    const WideText saved = PackageText(package());
    app.document.close();
    ASSERT_TRUE(window.openPackage(dir.file("App.pkg"), false));
    EXPECT_EQ(PackageText(package()), saved);

    const Package& back = package();
    EXPECT_EQ(std::tuple(back.uid, back.names, back.globalVendor, back.versionMajor,
                         back.versionMinor, back.versionBuild, back.compress),
              std::tuple(0xA0001234u, LocalizedText{u"Session App", u"Appli"}, u"Orchard Ltd", 2, 5,
                         8, false));
    EXPECT_EQ(std::tuple(back.output.autoIncrementVersion, back.output.outputName),
              std::tuple(true, u"Session.sis"));
    ASSERT_EQ(std::tuple(back.packageDependencies.size(), back.properties.size()),
              std::tuple(1u, 1u));
    EXPECT_EQ(std::tuple(back.packageDependencies[0]->uid, back.packageDependencies[0]->names),
              std::tuple(0x20001234u, LocalizedText{u"Engine Lib", u""}));
    EXPECT_EQ(std::tuple(back.properties[0]->key, back.properties[0]->value), std::tuple(7, -3));
    EXPECT_TRUE(node(*show<PhoneView>(ViewIndex::PhoneView).tree(), "Docs"))
        << "the user folder is rebuilt from the targets";
    EXPECT_EQ(show<GeneralInfoView>(ViewIndex::GeneralInfo).nameBox()->text(), "Session App");
    EXPECT_EQ(show<DeploymentView>(ViewIndex::Deployment).outputNameBox()->text(), "Session.sis");
}

} // namespace
} // namespace tb::test
