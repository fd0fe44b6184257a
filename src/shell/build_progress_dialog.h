#pragma once

#include "buildengine/build_events.h"

#include <QDialog>

#include <array>

class QLabel;
class QProgressBar;
class QPushButton;

namespace tb {

class Application;

// "Building Package...": follows a build through its validation, build and signing steps and
// shows what the build is adding. Closes itself when the build ends; Cancel stops the build.
class BuildProgressDialog : public QDialog, public BuildListener {
    Q_OBJECT
public:
    static constexpr int kSucceeded = 0;
    static constexpr int kCancelled = 5;
    static constexpr int kFailed = 9;

    enum class Step { Validation, Build, Signing };
    enum class StepState { Pending, Running, Complete };

    // For the open package and the current configuration.
    BuildProgressDialog(Application& app, QWidget* owner);
    ~BuildProgressDialog() override;

    // Modal, listening to the build only while it runs: kSucceeded, kFailed or kCancelled.
    int run();

    QString titleText() const;
    QString statusText() const;
    QString stepText(Step step) const;
    StepState stepState(Step step) const { return rows_[size_t(step)].state; }
    bool stepShown(Step step) const;
    QPushButton* cancelButton() const { return cancel_; }

    void buildStarted() override;
    void buildSucceeded() override;
    void buildFailed() override;
    void buildStage(int32_t stage) override;
    void itemProcessed(const InstallItem* item) override;

public slots:
    // Escape and the close box cancel too: the dialog never closes on a running build.
    void reject() override;

private:
    struct Row {
        QLabel* icon = nullptr;
        QLabel* text = nullptr;
        StepState state = StepState::Pending;
    };

    void setStepState(Step step, StepState state);
    void finish(int result);
    void listen(bool on);
    QString itemText(const InstallItem& item) const;

    Application& app_;
    bool signing_;
    bool listening_ = false;
    bool finished_ = false;
    int running_ = -1; // index of the running step, -1 before the start and after the last
    QLabel* title_ = nullptr;
    std::array<Row, 3> rows_;
    QLabel* status_ = nullptr;
    QProgressBar* progress_ = nullptr;
    QPushButton* cancel_ = nullptr;
};

} // namespace tb
