#include "ui/scrolling_content.h"

#include <QScrollArea>
#include <QVBoxLayout>

namespace tb::ui {

QWidget* ScrollingContent(QWidget* page) {
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* area = new QScrollArea(page);
    area->setFrameShape(QFrame::NoFrame);
    area->setWidgetResizable(true);
    auto* content = new QWidget(area);
    area->setWidget(content);
    layout->addWidget(area);
    return content;
}

} // namespace tb::ui
