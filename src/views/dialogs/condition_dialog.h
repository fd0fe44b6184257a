#pragma once

#include "model/condition.h"
#include "ui/form_dialog.h"

class QLineEdit;

namespace tb {

// "Condition": the condition of an IF or ELSEIF branch as text, checked on OK by the package
// reader's condition grammar.
class ConditionDialog : public ui::FormDialog {
    Q_OBJECT
public:
    // current: the condition shown first; null for an empty box.
    ConditionDialog(QWidget* owner, const ConditionNode* current);

    QLineEdit* conditionBox() const { return box_; }
    // The condition OK accepted; null before.
    Condition takeCondition() { return std::move(condition_); }

private:
    QLineEdit* box_;
    Condition condition_;
};

} // namespace tb
