#pragma once

#include <QListWidget>

#include <cstdint>
#include <vector>

class QComboBox;

namespace tb::ui {

// Every language a package can have, in table order (the reserved numbers left out).
const std::vector<uint32_t>& ChoosableLanguages();
QString LanguageDisplayName(uint32_t number);

// Fills combo with the names of languages (item data: the number) and selects selected, or
// nothing when it is not among them.
void FillLanguageCombo(QComboBox& combo, const std::vector<uint32_t>& languages,
                       uint32_t selected);
// The number of the combo's chosen language; 0 when none is chosen.
uint32_t ChosenLanguage(const QComboBox& combo);

// All choosable languages with a check box each.
class LanguageCheckList : public QListWidget {
    Q_OBJECT
public:
    explicit LanguageCheckList(QWidget* parent = nullptr);

    void setChecked(uint32_t number, bool checked);
    bool isChecked(uint32_t number) const;
    // The ticked languages: those of order first, in order's order, then the others in table
    // order, so that ticking or clearing one language never reorders the rest.
    std::vector<uint32_t> checkedLanguages(const std::vector<uint32_t>& order = {}) const;

signals:
    void checkedChanged();

private:
    QListWidgetItem* itemOf(uint32_t number) const;
};

} // namespace tb::ui
