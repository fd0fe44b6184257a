#include "helper/tool_run.h"

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <poll.h>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace tbhelper {

namespace {

constexpr int kPollMilliseconds = 50;

bool isExecutableFile(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) &&
           ::access(path.c_str(), X_OK) == 0;
}

// Child side of the fork: only async-signal-safe calls from here on.
[[noreturn]] void execTool(const char* path, char* const* argv, const char* folder, int outputFd,
                           pid_t parent) {
    ::setsid();
    ::prctl(PR_SET_PDEATHSIG, SIGKILL);
    if (::getppid() != parent)
        ::_exit(127);
    const int input = ::open("/dev/null", O_RDONLY);
    if (input >= 0 && input != STDIN_FILENO) {
        ::dup2(input, STDIN_FILENO);
        ::close(input);
    }
    ::dup2(outputFd, STDOUT_FILENO);
    ::dup2(outputFd, STDERR_FILENO);
    if (*folder && ::chdir(folder) != 0) {
        static const char message[] = "Error, can not enter the temporary build folder\n";
        [[maybe_unused]] ssize_t ignored = ::write(STDERR_FILENO, message, sizeof message - 1);
        ::_exit(127);
    }
    sigset_t none;
    sigemptyset(&none);
    ::sigprocmask(SIG_SETMASK, &none, nullptr);
    ::execv(path, argv);
    static const char message[] = "Error, the tool could not be started\n";
    [[maybe_unused]] ssize_t ignored = ::write(STDERR_FILENO, message, sizeof message - 1);
    ::_exit(127);
}

ToolResult statusResult(int status) {
    if (WIFEXITED(status))
        return {ToolResult::Kind::Exited, WEXITSTATUS(status)};
    if (WIFSIGNALED(status))
        return {ToolResult::Kind::Signalled, WTERMSIG(status)};
    return {ToolResult::Kind::Exited, 255};
}

// Non-blocking reap; true with status filled once the tool has ended.
bool reaped(pid_t pid, int& status) {
    pid_t result;
    do {
        result = ::waitpid(pid, &status, WNOHANG);
    } while (result < 0 && errno == EINTR);
    if (result < 0)
        status = 255 << 8;
    return result != 0;
}

// The whole group, or the tool alone while it has not made its session yet.
void signalTool(pid_t pid, int signal) {
    if (::kill(-pid, signal) != 0)
        ::kill(pid, signal);
}

void stopTool(pid_t pid) {
    signalTool(pid, SIGTERM);
    const auto deadline = std::chrono::steady_clock::now() + kToolStopGrace;
    int status = 0;
    while (std::chrono::steady_clock::now() < deadline) {
        if (reaped(pid, status)) {
            ::kill(-pid, SIGKILL); // whatever it started and left behind
            return;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    signalTool(pid, SIGKILL);
    while (!reaped(pid, status))
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
}

// Reads what is there now (a bounded amount, so a tool that never stops talking cannot keep
// the cancel check away); false once every writer has closed the pipe.
bool relayAvailable(int fd, OutputRelay& relay) {
    char buffer[65536];
    for (size_t total = 0; total < (size_t(1) << 20);) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n > 0) {
            relay.pass(std::string_view(buffer, static_cast<size_t>(n)));
            total += static_cast<size_t>(n);
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        return n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK);
    }
    return true;
}

} // namespace

ToolResult RunTool(const std::string& path, const std::vector<std::string>& arguments,
                   const std::string& workingFolder, const tb::BuildSignal& cancel,
                   OutputRelay& relay) {
    if (cancel.isSignalled())
        return {ToolResult::Kind::Cancelled, 0};
    std::vector<std::string> argv;
    argv.push_back(path);
    argv.insert(argv.end(), arguments.begin(), arguments.end());
    std::vector<char*> pointers;
    for (std::string& argument : argv)
        pointers.push_back(argument.data());
    pointers.push_back(nullptr);

    int fds[2];
    if (::pipe2(fds, O_CLOEXEC) != 0)
        return {ToolResult::Kind::StartFailed, errno};
    const pid_t parent = ::getpid();
    const pid_t pid = ::fork();
    if (pid < 0) {
        const int error = errno;
        ::close(fds[0]);
        ::close(fds[1]);
        return {ToolResult::Kind::StartFailed, error};
    }
    if (pid == 0)
        execTool(path.c_str(), pointers.data(), workingFolder.c_str(), fds[1], parent);
    // No setpgid here: a group made for the tool before it calls setsid would make that fail.
    ::close(fds[1]);
    const int fd = fds[0];
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) | O_NONBLOCK);

    bool open = true;
    int status = 0;
    for (;;) {
        if (cancel.isSignalled()) {
            stopTool(pid);
            ::close(fd);
            return {ToolResult::Kind::Cancelled, 0};
        }
        if (open) {
            pollfd entry{fd, POLLIN, 0};
            ::poll(&entry, 1, kPollMilliseconds);
            open = relayAvailable(fd, relay);
        }
        if (reaped(pid, status)) {
            // Anything it wrote is in the pipe now; something it started may keep the pipe
            // open, so take what is there and go.
            if (open)
                relayAvailable(fd, relay);
            break;
        }
        if (!open)
            std::this_thread::sleep_for(std::chrono::milliseconds(kPollMilliseconds / 5));
    }
    ::close(fd);
    return statusResult(status);
}

std::string FindTool(const std::string& epocRoot, const std::string& name) {
    if (!epocRoot.empty()) {
        std::string candidate = epocRoot;
        if (candidate.back() != '/')
            candidate.push_back('/');
        candidate.append("epoc32/tools/").append(name);
        if (isExecutableFile(candidate))
            return candidate;
    }
    const char* path = std::getenv("PATH");
    std::string_view rest = path ? path : "";
    while (path) {
        const size_t colon = rest.find(':');
        std::string candidate(rest.substr(0, colon));
        if (candidate.empty())
            candidate.push_back('.');
        candidate.push_back('/');
        candidate.append(name);
        if (isExecutableFile(candidate))
            return candidate;
        if (colon == std::string_view::npos)
            break;
        rest.remove_prefix(colon + 1);
    }
    return {};
}

} // namespace tbhelper
