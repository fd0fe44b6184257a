#include "shell/view_bar.h"

#include "ui/command_registry.h"
#include "ui/disabled_look.h"
#include "views/view_page.h"

#include <QToolButton>
#include <QVBoxLayout>

namespace tb {

ViewBar::ViewBar(ui::CommandRegistry& commands, QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("viewBar"));
    setFixedWidth(kWidth);
    setBackgroundRole(QPalette::Mid);
    setAutoFillBackground(true);
    QPalette colours = palette();
    const QColor disabled = ui::DisabledTextColor(
        colours.color(QPalette::Active, QPalette::ButtonText), colours.color(QPalette::Mid));
    colours.setColor(QPalette::Disabled, QPalette::ButtonText, disabled);
    colours.setColor(QPalette::Disabled, QPalette::WindowText, disabled);
    setPalette(colours);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(kButtonMargin / 2, kButtonMargin / 2, kButtonMargin / 2, 0);
    layout->setSpacing(2);
    for (int i = 0; i < kViewCount; ++i) {
        auto* button = new QToolButton(this);
        // The action carries the menu text with its access key; the button keeps its own.
        button->setDefaultAction(commands.action(ui::cmd::kFirstView + i));
        button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
        button->setIconSize(QSize(24, 24));
        button->setFixedSize(kWidth - kButtonMargin, kButtonHeight);
        button->setAutoRaise(true);
        layout->addWidget(button);
    }
    layout->addStretch(1);
}

} // namespace tb
