#include "ui/language_pickers.h"

#include "model/tables.h"
#include "ui/qt_text.h"

#include <QComboBox>

#include <algorithm>

namespace tb::ui {

const std::vector<uint32_t>& ChoosableLanguages() {
    static const std::vector<uint32_t> languages = [] {
        std::vector<uint32_t> numbers;
        for (uint32_t number = kFirstLanguage; number <= kLastLanguage; ++number)
            if (LanguageName(number))
                numbers.push_back(number);
        return numbers;
    }();
    return languages;
}

QString LanguageDisplayName(uint32_t number) {
    return LanguageName(number) ? ToQString(tb::LanguageDisplayName(number)) : QString();
}

void FillLanguageCombo(QComboBox& combo, const std::vector<uint32_t>& languages,
                       uint32_t selected) {
    const QSignalBlocker blocker(combo);
    combo.clear();
    for (uint32_t number : languages)
        combo.addItem(LanguageDisplayName(number), number);
    combo.setCurrentIndex(combo.findData(selected));
}

uint32_t ChosenLanguage(const QComboBox& combo) {
    return combo.currentIndex() < 0 ? 0 : combo.currentData().toUInt();
}

LanguageCheckList::LanguageCheckList(QWidget* parent) : QListWidget(parent) {
    for (uint32_t number : ChoosableLanguages()) {
        auto* item = new QListWidgetItem(LanguageDisplayName(number), this);
        item->setData(Qt::UserRole, number);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Unchecked);
    }
    connect(this, &QListWidget::itemChanged, this, [this] { emit checkedChanged(); });
}

QListWidgetItem* LanguageCheckList::itemOf(uint32_t number) const {
    const auto& all = ChoosableLanguages();
    auto found = std::find(all.begin(), all.end(), number);
    return found == all.end() ? nullptr : item(int(found - all.begin()));
}

void LanguageCheckList::setChecked(uint32_t number, bool checked) {
    if (QListWidgetItem* entry = itemOf(number))
        entry->setCheckState(checked ? Qt::Checked : Qt::Unchecked);
}

bool LanguageCheckList::isChecked(uint32_t number) const {
    QListWidgetItem* entry = itemOf(number);
    return entry && entry->checkState() == Qt::Checked;
}

std::vector<uint32_t> LanguageCheckList::checkedLanguages(const std::vector<uint32_t>& order) const {
    std::vector<uint32_t> result;
    auto add = [&](uint32_t number) {
        if (isChecked(number) && std::find(result.begin(), result.end(), number) == result.end())
            result.push_back(number);
    };
    for (uint32_t number : order)
        add(number);
    for (uint32_t number : ChoosableLanguages())
        add(number);
    return result;
}

} // namespace tb::ui
