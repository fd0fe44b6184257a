#include "shell/welcome_page.h"

#include "document/app_settings.h"
#include "document/application.h"
#include "shell/options_dialog.h"
#include "support/gui_doubles.h"
#include "support/temp_dir.h"
#include "ui/command_registry.h"
#include "ui/dont_show_again.h"
#include "ui/gui_build_events.h"
#include "ui/link_button.h"
#include "ui/qt_text.h"
#include "util/date_time.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QMouseEvent>
#include <QPushButton>
#include <QTreeWidget>

#include <gtest/gtest.h>

namespace tb {
namespace {

class WelcomeOptionsTest : public ::testing::Test {
protected:
    test::TempDir dir;
    AppSettings settings{dir.file("settings.conf"), dir.file("machine.conf"), dir.file("bin")};
    ui::GuiBuildEvents events;
    Application app{settings, events, SdkList{}};
    ui::CommandRegistry commands;
    test::CommandLog log;

    void SetUp() override { commands.addHandler(&log); }
};

void Click(QWidget* widget, QPoint at) {
    QMouseEvent press(QEvent::MouseButtonPress, at, widget->mapToGlobal(at), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QMouseEvent release(QEvent::MouseButtonRelease, at, widget->mapToGlobal(at), Qt::LeftButton,
                        Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &press);
    QApplication::sendEvent(widget, &release);
}

TEST_F(WelcomeOptionsTest, WelcomeLinksAndRecentEntriesPostCommandsAndStartupActionFollowsTheBox) {
    const uint64_t day = 864000000000ull;
    const uint64_t stamp = DateTime::fromFields(2009, 3, 14).stamp;
    for (int i = 0; i < 3; ++i)
        app.recentFiles.add(u"/home/me/P" + std::u16string(1, char16_t(u'0' + i)) + u".pkg",
                            u"Application", stamp + uint64_t(i) * day);
    settings.startupAction = 1;
    WelcomePage page(app, commands, nullptr);
    page.resize(700, 600);
    page.show();

    page.newPackageLink()->click();
    EXPECT_TRUE(log.ids.empty()) << "posted, not run from the click";
    QApplication::processEvents();
    page.openPackageLink()->click();
    QApplication::processEvents();
    EXPECT_EQ(log.ids, (std::vector<int>{ui::cmd::kNew, ui::cmd::kOpen}));

    QTreeWidget* recent = page.recentList();
    ASSERT_EQ(recent->topLevelItemCount(), 3);
    QTreeWidgetItem* second = recent->topLevelItem(1);
    EXPECT_EQ(second->text(0), "/home/me/P1.pkg");
    EXPECT_EQ(second->text(1), ui::ToQString(FormatShortDate(DateTime::fromStamp(stamp + day))));

    log.ids.clear();
    Click(recent->viewport(), recent->visualItemRect(second).center());
    EXPECT_TRUE(log.ids.empty());
    QApplication::processEvents();
    EXPECT_EQ(log.ids, (std::vector<int>{ui::cmd::kFirstRecent + 1}));

    // Shown at start-up (1) until "Don't show this again" is ticked (0).
    EXPECT_FALSE(page.dontShowAgainBox()->isChecked());
    page.dontShowAgainBox()->setChecked(true);
    EXPECT_EQ(settings.startupAction, 0u);
    page.dontShowAgainBox()->setChecked(false);
    EXPECT_EQ(settings.startupAction, 1u);
}

TEST_F(WelcomeOptionsTest, OptionsShowAndStoreTheSettings) {
    settings.defaultLanguage = 2, settings.startupAction = 1;
    settings.showLanguageChangesConfirmation = settings.showBuildCompleteDialog = true;
    OptionsDialog dialog(nullptr, settings);
    EXPECT_EQ(dialog.languageCombo()->count(), 96) << "86 and 95 are reserved";
    EXPECT_EQ(
        std::tuple(dialog.languageCombo()->currentText(), dialog.startupCombo()->currentText()),
        std::tuple("French", "Welcome view"));
    dialog.languageCombo()->setCurrentIndex(dialog.languageCombo()->findText("Welsh"));
    dialog.confirmLanguagesBox()->setChecked(false);
    dialog.startupCombo()->setCurrentIndex(0);
    dialog.buildCompleteBox()->setChecked(false);
    dialog.okButton()->click();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(std::tuple(settings.defaultLanguage, settings.showLanguageChangesConfirmation,
                         settings.startupAction, settings.showBuildCompleteDialog),
              std::tuple(97u, false, 0u, false));

    settings.defaultLanguage = 86; // reserved: nothing chosen, written back as 0
    OptionsDialog none(nullptr, settings);
    EXPECT_EQ(none.languageCombo()->currentIndex(), -1);
    none.okButton()->click();
    EXPECT_EQ(settings.defaultLanguage, 0u);
}

} // namespace
} // namespace tb
