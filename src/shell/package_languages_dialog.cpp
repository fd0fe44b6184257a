#include "shell/package_languages_dialog.h"

#include "document/app_settings.h"
#include "document/messages.h"
#include "ui/confirmation_dialog.h"
#include "ui/dialog_buttons.h"
#include "ui/language_pickers.h"
#include "ui/qt_text.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace tb {

namespace {

bool SameSet(std::vector<uint32_t> a, std::vector<uint32_t> b) {
    std::sort(a.begin(), a.end());
    std::sort(b.begin(), b.end());
    a.erase(std::unique(a.begin(), a.end()), a.end());
    b.erase(std::unique(b.begin(), b.end()), b.end());
    return a == b;
}

} // namespace

bool RunPackageLanguagesDialog(QWidget* owner, std::vector<uint32_t>& languages, size_t& current,
                               bool confirm, AppSettings& settings) {
    PackageLanguagesDialog dialog(owner, languages, current, confirm, settings);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    languages = dialog.languages();
    current = dialog.currentLanguage();
    return true;
}

PackageLanguagesDialog::PackageLanguagesDialog(QWidget* owner,
                                               const std::vector<uint32_t>& languages,
                                               size_t current, bool confirm,
                                               AppSettings& settings)
    : QDialog(owner), settings_(settings), original_(languages), confirm_(confirm),
      languages_(languages), current_(current) {
    setWindowTitle(QStringLiteral("Package Languages"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Select which languages the package supports:")));
    list_ = new ui::LanguageCheckList(this);
    for (uint32_t number : languages)
        list_->setChecked(number, true);
    layout->addWidget(list_, 1);

    layout->addWidget(new QLabel(QStringLiteral("Select current language:")));
    currentCombo_ = new QComboBox(this);
    ui::FillLanguageCombo(*currentCombo_, list_->checkedLanguages(original_),
                      current < languages.size() ? languages[current] : 0);
    if (currentCombo_->currentIndex() < 0 && currentCombo_->count() > 0)
        currentCombo_->setCurrentIndex(0);
    layout->addWidget(currentCombo_);
    connect(list_, &ui::LanguageCheckList::checkedChanged, this,
            &PackageLanguagesDialog::refillCurrentCombo);

    ok_ = ui::AddDialogButtons(*this, *layout, QStringLiteral("OK"), QStringLiteral("Cancel"),
                               [this] { tryAccept(); })
              .accept;
    resize(320, 420);
}

void PackageLanguagesDialog::refillCurrentCombo() {
    // The chosen current language stays chosen while it is ticked; else the first one is.
    const uint32_t chosen = ui::ChosenLanguage(*currentCombo_);
    ui::FillLanguageCombo(*currentCombo_, list_->checkedLanguages(original_), chosen);
    if (currentCombo_->currentIndex() < 0 && currentCombo_->count() > 0)
        currentCombo_->setCurrentIndex(0);
}

void PackageLanguagesDialog::tryAccept() {
    std::vector<uint32_t> chosen = list_->checkedLanguages(original_);
    if (chosen.empty()) {
        ui::ShowInformation(this, ui::ToQString(messages::kNoLanguage));
        list_->setFocus();
        return;
    }
    if (confirm_ && !SameSet(chosen, original_)) {
        ui::ConfirmationDialog question(this, ui::ToQString(messages::kConfirmLanguageChanges),
                                        ui::MessageIcon::Warning, [this](bool checked) {
                                            settings_.showLanguageChangesConfirmation = !checked;
                                        });
        if (question.ask() != ui::MessageAnswer::Yes)
            return;
    }
    const uint32_t currentNumber = ui::ChosenLanguage(*currentCombo_);
    auto found = std::find(chosen.begin(), chosen.end(), currentNumber);
    current_ = found == chosen.end() ? 0 : size_t(found - chosen.begin());
    languages_ = std::move(chosen);
    accept();
}

} // namespace tb
