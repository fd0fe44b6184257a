#include "buildengine/build_signal.h"

#include <cstdlib>
#include <fcntl.h>
#include <unistd.h>

namespace tb {

BuildSignal::BuildSignal(const std::string& folder, std::string_view name) {
    if (folder.empty())
        return;
    path_ = folder;
    if (path_.back() != '/')
        path_.push_back('/');
    path_.append(name);
}

BuildSignal BuildSignal::fromEnvironment(std::string_view name) {
    const char* folder = std::getenv(kBuildEventsVariable);
    return folder && *folder ? BuildSignal(folder, name) : BuildSignal();
}

bool BuildSignal::signal() const {
    if (path_.empty())
        return false;
    const int fd = ::open(path_.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0)
        return false;
    ::close(fd);
    return true;
}

bool BuildSignal::isSignalled() const {
    return !path_.empty() && ::access(path_.c_str(), F_OK) == 0;
}

BuildSignalSet::BuildSignalSet(const std::string& base) {
    int error = 0;
    folder_ = PrivateFolder::create(base, "tb_events_", error);
    if (!folder_.valid())
        return;
    cancel_ = BuildSignal(folder_.path(), kCancelBuildEvent);
    buildCompleted_ = BuildSignal(folder_.path(), kBuildCompletedEvent);
    signingCompleted_ = BuildSignal(folder_.path(), kSigningCompletedEvent);
}

} // namespace tb
