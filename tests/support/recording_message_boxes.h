#pragma once

#include "ui/message_box.h"

#include <QString>

#include <deque>
#include <vector>

namespace tb::test {

// Stands in for the real message boxes while alive: records what was shown and gives the
// scripted answers in order (the default answer once the script runs out).
class RecordingMessageBoxes : public ui::MessageBoxes {
public:
    struct Shown {
        QString text;
        ui::MessageButtons buttons;
        ui::MessageIcon icon;
    };

    RecordingMessageBoxes() { ui::SetMessageBoxes(this); }
    ~RecordingMessageBoxes() override { ui::SetMessageBoxes(nullptr); }

    ui::MessageAnswer show(QWidget*, const QString& text, ui::MessageButtons buttons,
                           ui::MessageIcon icon) override {
        shown.push_back({text, buttons, icon});
        if (answers.empty())
            return defaultAnswer;
        ui::MessageAnswer answer = answers.front();
        answers.pop_front();
        return answer;
    }

    std::vector<Shown> shown;
    std::deque<ui::MessageAnswer> answers;
    ui::MessageAnswer defaultAnswer = ui::MessageAnswer::Ok;
};

} // namespace tb::test
