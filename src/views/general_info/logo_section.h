#pragma once

#include "util/wide_text.h"
#include "views/general_info/logo_picture.h"

#include <QWidget>

#include <optional>

class QLabel;
class QPushButton;
class QToolButton;

namespace tb {

class Application;

// The "Logo" section of General Info: the logo's picture and size, "Select...",
// "Settings...", "Remove" and the note, under a heading whose button collapses the section.
// Whether it is collapsed is the user's setting, kept from one run to the next.
class LogoSection : public QWidget {
    Q_OBJECT
public:
    // origin: what the section's edits are made by (its view).
    LogoSection(Application& app, const void* origin, QWidget* parent);

    // Shows the open package's logo; without a package, nothing.
    void refresh();

    // What the buttons do.
    void selectLogo();
    void editSettings();
    void removeLogo();

    bool expanded() const;
    void setExpanded(bool expanded);

    QToolButton* toggleButton() const { return toggle_; }
    QLabel* pictureLabel() const { return picture_; }
    QLabel* sizeLabel() const { return size_; }
    QPushButton* selectButton() const { return select_; }
    QPushButton* settingsButton() const { return settings_; }
    QPushButton* removeButton() const { return remove_; }
    // The picture shown for the logo; none when there is no logo or its file cannot be shown.
    const std::optional<LogoPicture>& picture() const { return shown_; }

private:
    // The logo file as the host sees it, from its stored form.
    QString hostPath(const WideText& stored) const;
    void show(std::optional<LogoPicture> picture, const QString& path);
    void updateControls();

    Application& app_;
    const void* origin_;
    std::optional<LogoPicture> shown_;
    QString shownPath_;

    QToolButton* toggle_ = nullptr;
    QWidget* body_ = nullptr;
    QLabel* picture_ = nullptr;
    QLabel* size_ = nullptr;
    QPushButton* select_ = nullptr;
    QPushButton* settings_ = nullptr;
    QPushButton* remove_ = nullptr;
};

} // namespace tb
