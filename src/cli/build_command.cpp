#include "buildengine/build_event_queue.h"
#include "cli/cli_session.h"
#include "cli/command.h"

#include <csignal>
#include <optional>
#include <ostream>

namespace tb::cli {

namespace {

volatile std::sig_atomic_t interrupted = 0;

void onInterrupt(int) { interrupted = 1; }

// Ctrl+C (and a polite kill) ask for a cancel instead of ending the program mid-build.
class InterruptGuard {
public:
    InterruptGuard() {
        interrupted = 0;
        struct sigaction action = {};
        action.sa_handler = onInterrupt;
        sigemptyset(&action.sa_mask);
        sigaction(SIGINT, &action, &oldInt_);
        sigaction(SIGTERM, &action, &oldTerm_);
    }
    ~InterruptGuard() {
        sigaction(SIGINT, &oldInt_, nullptr);
        sigaction(SIGTERM, &oldTerm_, nullptr);
    }

private:
    struct sigaction oldInt_ = {}, oldTerm_ = {};
};

// Prints each new part of the log once and notes how the build ended.
class LogPrinter : public BuildListener {
public:
    LogPrinter(const BuildOutputLog& log, std::ostream& out) : log_(log), out_(out) {}

    void outputChanged() override { flush(); }
    void buildSucceeded() override { finish(kExitOk); }
    void buildFailed() override { finish(kExitFailure); }
    void buildCancelled() override { finish(kExitInterrupted); }

    std::optional<int> result;

private:
    static constexpr int kExitInterrupted = 130;

    void flush() {
        WideText part = log_.readFrom(printed_);
        printed_ += part.size();
        PrintText(out_, part);
    }
    void finish(int code) {
        flush();
        result = code;
    }

    const BuildOutputLog& log_;
    std::ostream& out_;
    size_t printed_ = 0;
};

} // namespace

int RunBuild(const Arguments& args, std::ostream& out, std::ostream& err) {
    BuildEventQueue queue;
    Session session(&queue);
    if (!session.open(args.positionals[0], err) || !session.configure(args, err))
        return kExitFailure;

    BuildController& controller = *session.controller;
    LogPrinter printer(controller.log(), out);
    controller.addListener(&printer);
    InterruptGuard guard;
    session.document.startBuild();
    while (!printer.result) {
        if (interrupted) {
            interrupted = 0;
            controller.cancelBuild();
        }
        queue.waitAndDeliver(controller.listeners(), std::chrono::milliseconds(100));
    }
    controller.waitForBuild();
    controller.removeListener(&printer);
    return *printer.result;
}

} // namespace tb::cli
