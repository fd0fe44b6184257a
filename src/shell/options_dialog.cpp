#include "shell/options_dialog.h"

#include "document/app_settings.h"
#include "ui/dialog_buttons.h"
#include "ui/language_pickers.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace tb {

void RunOptionsDialog(QWidget* owner, AppSettings& settings) {
    OptionsDialog dialog(owner, settings);
    dialog.exec();
}

OptionsDialog::OptionsDialog(QWidget* owner, AppSettings& settings)
    : QDialog(owner), settings_(settings) {
    setWindowTitle(QStringLiteral("Options"));
    auto* layout = new QVBoxLayout(this);

    auto* languageGroup = new QGroupBox(QStringLiteral("Language"), this);
    auto* languageLayout = new QVBoxLayout(languageGroup);
    languageLayout->addWidget(
        new QLabel(QStringLiteral("Select preferred language to be used when opening a package.")));
    language_ = new QComboBox(languageGroup);
    ui::FillLanguageCombo(*language_, ui::ChoosableLanguages(), settings.defaultLanguage);
    languageLayout->addWidget(language_);
    confirmLanguages_ = new QCheckBox(
        QStringLiteral("Show confirmation when changing a package's supported languages"),
        languageGroup);
    confirmLanguages_->setChecked(settings.showLanguageChangesConfirmation);
    languageLayout->addWidget(confirmLanguages_);
    layout->addWidget(languageGroup);

    auto* startupGroup = new QGroupBox(QStringLiteral("Startup"), this);
    auto* startupLayout = new QVBoxLayout(startupGroup);
    startupLayout->addWidget(new QLabel(QStringLiteral("Select startup view.")));
    startup_ = new QComboBox(startupGroup);
    startup_->addItems({QStringLiteral("Empty environment"), QStringLiteral("Welcome view")});
    startup_->setCurrentIndex(settings.startupAction == 0 ? 0 : 1);
    startupLayout->addWidget(startup_);
    layout->addWidget(startupGroup);

    auto* buildGroup = new QGroupBox(QStringLiteral("Build"), this);
    auto* buildLayout = new QVBoxLayout(buildGroup);
    buildComplete_ = new QCheckBox(QStringLiteral("Show build complete dialog"), buildGroup);
    buildComplete_->setChecked(settings.showBuildCompleteDialog);
    buildLayout->addWidget(buildComplete_);
    layout->addWidget(buildGroup);

    ok_ = ui::AddDialogButtons(*this, *layout, QStringLiteral("OK"), QStringLiteral("Cancel"),
                               [this] {
                                   apply();
                                   accept();
                               })
              .accept;
}

void OptionsDialog::apply() {
    settings_.defaultLanguage = ui::ChosenLanguage(*language_);
    settings_.showLanguageChangesConfirmation = confirmLanguages_->isChecked();
    settings_.startupAction = uint32_t(std::max(startup_->currentIndex(), 0));
    settings_.showBuildCompleteDialog = buildComplete_->isChecked();
}

} // namespace tb
