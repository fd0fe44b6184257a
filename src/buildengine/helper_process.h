#pragma once

#include "util/error_code.h"

#include <chrono>
#include <cstddef>
#include <string>
#include <sys/types.h>
#include <vector>

namespace tb {

// How a child process ended, as far as it could be learnt.
struct ProcessExit {
    enum class Kind { Running, Exited, Signalled, Unknown };
    Kind kind = Kind::Running;
    int value = 0; // exit code, or the signal number

    bool succeeded() const { return kind == Kind::Exited && value == 0; }
};

// The build helper as a child process: started with posix_spawn from an argument array (no
// shell), standard output and error on one pipe, standard input from /dev/null, in a process
// group of its own. Used by one thread at a time.
class HelperProcess {
public:
    enum class ReadResult { Open, Closed };

    HelperProcess() = default;
    // A child still running is killed with its group and reaped, so none is left behind.
    ~HelperProcess();
    HelperProcess(const HelperProcess&) = delete;
    HelperProcess& operator=(const HelperProcess&) = delete;

    // environment entries ("NAME=value") are added to the program's own, replacing variables
    // of the same name. Returns the start failure's code (1168 for a missing program).
    ErrorCode start(const std::string& program, const std::vector<std::string>& arguments,
                    const std::vector<std::string>& environment = {});

    bool started() const { return pid_ > 0; }
    pid_t pid() const { return pid_; }

    // The pipe's read end (non-blocking) for poll(); -1 once the pipe has been closed.
    int outputFd() const { return outputFd_; }
    // Readable once the process has ended (a pidfd); -1 when the system has none.
    int exitFd() const { return exitFd_; }

    // Appends what the pipe holds now, up to limit bytes, without waiting. Closed once every
    // writer has closed its end (the read end is then closed too).
    ReadResult readAvailable(std::string& out, size_t limit = 4 << 20);

    // Tests without waiting whether the process has ended (and reaps it).
    bool hasEnded();
    // Waits up to timeout; true when the process has ended.
    bool waitForExit(std::chrono::milliseconds timeout);
    void waitForExit();
    // Sends signal to the process group while the process has not been reaped.
    void signalGroup(int signal);

    ProcessExit exitStatus() const { return exit_; }

private:
    void closeFds();

    pid_t pid_ = -1;
    int outputFd_ = -1;
    int exitFd_ = -1;
    ProcessExit exit_;
};

} // namespace tb
