#include "buildengine/helper_process.h"

#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace tb {

namespace {

std::string_view variableName(std::string_view entry) {
    return entry.substr(0, entry.find('='));
}

std::vector<std::string> childEnvironment(const std::vector<std::string>& extra) {
    std::vector<std::string> out;
    for (char** entry = environ; entry && *entry; ++entry) {
        const std::string_view name = variableName(*entry);
        bool replaced = false;
        for (const std::string& added : extra)
            replaced = replaced || variableName(added) == name;
        if (!replaced)
            out.emplace_back(*entry);
    }
    out.insert(out.end(), extra.begin(), extra.end());
    return out;
}

std::vector<char*> pointers(std::vector<std::string>& strings) {
    std::vector<char*> out;
    out.reserve(strings.size() + 1);
    for (std::string& s : strings)
        out.push_back(s.data());
    out.push_back(nullptr);
    return out;
}

class SpawnSetup {
public:
    SpawnSetup() {
        posix_spawn_file_actions_init(&actions);
        posix_spawnattr_init(&attributes);
    }
    ~SpawnSetup() {
        posix_spawn_file_actions_destroy(&actions);
        posix_spawnattr_destroy(&attributes);
    }
    SpawnSetup(const SpawnSetup&) = delete;
    SpawnSetup& operator=(const SpawnSetup&) = delete;

    posix_spawn_file_actions_t actions;
    posix_spawnattr_t attributes;
};

} // namespace

HelperProcess::~HelperProcess() {
    if (started() && !hasEnded()) {
        signalGroup(SIGKILL);
        waitForExit();
    }
    closeFds();
}

void HelperProcess::closeFds() {
    if (outputFd_ >= 0)
        ::close(outputFd_);
    if (exitFd_ >= 0)
        ::close(exitFd_);
    outputFd_ = exitFd_ = -1;
}

ErrorCode HelperProcess::start(const std::string& program,
                               const std::vector<std::string>& arguments,
                               const std::vector<std::string>& environment) {
    if (started())
        return err::kGeneric;
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC) != 0)
        return mapErrno(errno);

    SpawnSetup setup;
    // The pipe's own descriptors are close-on-exec; the duplicates on 1 and 2 are not.
    posix_spawn_file_actions_addopen(&setup.actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_adddup2(&setup.actions, fds[1], STDOUT_FILENO);
    posix_spawn_file_actions_adddup2(&setup.actions, fds[1], STDERR_FILENO);
    // Own group, so the helper and its tools can be ended together; clean signal state,
    // whatever the front end ignores or blocks.
    sigset_t none, defaults;
    sigemptyset(&none);
    sigemptyset(&defaults);
    for (int sig : {SIGPIPE, SIGTERM, SIGINT, SIGHUP, SIGQUIT, SIGCHLD})
        sigaddset(&defaults, sig);
    posix_spawnattr_setflags(&setup.attributes, POSIX_SPAWN_SETPGROUP | POSIX_SPAWN_SETSIGMASK |
                                                    POSIX_SPAWN_SETSIGDEF);
    posix_spawnattr_setpgroup(&setup.attributes, 0);
    posix_spawnattr_setsigmask(&setup.attributes, &none);
    posix_spawnattr_setsigdefault(&setup.attributes, &defaults);

    std::vector<std::string> argv;
    argv.reserve(arguments.size() + 1);
    argv.push_back(program);
    argv.insert(argv.end(), arguments.begin(), arguments.end());
    std::vector<std::string> envp = childEnvironment(environment);
    std::vector<char*> argvPointers = pointers(argv);
    std::vector<char*> envpPointers = pointers(envp);

    pid_t pid = -1;
    const int result = posix_spawn(&pid, program.c_str(), &setup.actions, &setup.attributes,
                                   argvPointers.data(), envpPointers.data());
    // Without this copy closed, reads would never see the end of the helper's output.
    ::close(fds[1]);
    if (result != 0) {
        ::close(fds[0]);
        return mapErrno(result);
    }
    pid_ = pid;
    outputFd_ = fds[0];
    ::fcntl(outputFd_, F_SETFL, ::fcntl(outputFd_, F_GETFL) | O_NONBLOCK);
#ifdef SYS_pidfd_open
    exitFd_ = static_cast<int>(::syscall(SYS_pidfd_open, pid_, 0));
    if (exitFd_ >= 0)
        ::fcntl(exitFd_, F_SETFD, FD_CLOEXEC);
#endif
    exit_ = {};
    return err::kOk;
}

HelperProcess::ReadResult HelperProcess::readAvailable(std::string& out, size_t limit) {
    if (outputFd_ < 0)
        return ReadResult::Closed;
    char buffer[65536];
    size_t total = 0;
    while (total < limit) {
        const ssize_t n = ::read(outputFd_, buffer, sizeof buffer);
        if (n > 0) {
            out.append(buffer, static_cast<size_t>(n));
            total += static_cast<size_t>(n);
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK))
            return ReadResult::Open;
        ::close(outputFd_);
        outputFd_ = -1;
        return ReadResult::Closed;
    }
    return ReadResult::Open;
}

bool HelperProcess::hasEnded() {
    if (!started())
        return true;
    if (exit_.kind != ProcessExit::Kind::Running)
        return true;
    int status = 0;
    pid_t result;
    do {
        result = ::waitpid(pid_, &status, WNOHANG);
    } while (result < 0 && errno == EINTR);
    if (result == 0)
        return false;
    if (result < 0)
        exit_ = {ProcessExit::Kind::Unknown, 0}; // reaped elsewhere: the status is lost
    else if (WIFEXITED(status))
        exit_ = {ProcessExit::Kind::Exited, WEXITSTATUS(status)};
    else if (WIFSIGNALED(status))
        exit_ = {ProcessExit::Kind::Signalled, WTERMSIG(status)};
    else
        exit_ = {ProcessExit::Kind::Unknown, 0};
    if (exitFd_ >= 0) {
        ::close(exitFd_);
        exitFd_ = -1;
    }
    return true;
}

bool HelperProcess::waitForExit(std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (!hasEnded()) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0)
            return false;
        if (exitFd_ >= 0) {
            pollfd fd{exitFd_, POLLIN, 0};
            ::poll(&fd, 1, static_cast<int>(std::min<long long>(left.count(), 1000)));
        } else {
            std::this_thread::sleep_for(std::min(left, std::chrono::milliseconds(5)));
        }
    }
    return true;
}

void HelperProcess::waitForExit() {
    while (!waitForExit(std::chrono::hours(1))) {
    }
}

void HelperProcess::signalGroup(int signal) {
    // Only while unreaped: a reaped id may already belong to someone else.
    if (started() && exit_.kind == ProcessExit::Kind::Running)
        ::kill(-pid_, signal);
}

} // namespace tb
