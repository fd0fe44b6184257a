#include "views/dialogs/condition_dialog.h"

#include "model/condition_parser.h"
#include "ui/qt_text.h"
#include "views/dialogs/action_dialogs_api.h"

#include <QLineEdit>
#include <QVBoxLayout>

namespace tb {

ConditionDialog::ConditionDialog(QWidget* owner, const ConditionNode* current)
    : FormDialog(owner, QStringLiteral("Condition")) {
    box_ = new QLineEdit(current ? ui::ToQString(ConditionText(*current)) : QString(), this);
    box_->setMinimumWidth(400);
    box_->selectAll();
    body()->addWidget(box_);
    addCheck([this]() -> std::optional<ui::FormProblem> {
        WideText message;
        if (ParseConditionText(ui::ToWide(box_->text()), condition_, message))
            return std::nullopt;
        return ui::FormProblem{box_, QStringLiteral("The condition is not valid: ") +
                                         ui::ToQString(message) + QLatin1Char('.')};
    });
}

std::optional<Condition> AskCondition(QWidget* owner, const ConditionNode* current) {
    ConditionDialog dialog(owner, current);
    if (!dialog.run())
        return std::nullopt;
    return dialog.takeCondition();
}

} // namespace tb
