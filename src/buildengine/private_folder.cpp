#include "buildengine/private_folder.h"

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <utility>

namespace tb {

PrivateFolder::~PrivateFolder() {
    remove();
}

PrivateFolder::PrivateFolder(PrivateFolder&& other) noexcept
    : path_(std::exchange(other.path_, {})) {}

PrivateFolder& PrivateFolder::operator=(PrivateFolder&& other) noexcept {
    if (this != &other) {
        remove();
        path_ = std::exchange(other.path_, {});
    }
    return *this;
}

PrivateFolder PrivateFolder::create(const std::string& base, const std::string& prefix,
                                    int& error) {
    std::string pattern = base;
    if (pattern.empty() || pattern.back() != '/')
        pattern.push_back('/');
    pattern += prefix;
    pattern += "XXXXXX";
    PrivateFolder folder;
    if (!mkdtemp(pattern.data())) {
        error = errno;
        return folder;
    }
    error = 0;
    folder.path_ = std::move(pattern);
    return folder;
}

void PrivateFolder::remove() {
    if (path_.empty())
        return;
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
    path_.clear();
}

std::string TemporaryFolderBase() {
    const char* base = std::getenv("TMPDIR");
    return base && *base ? std::string(base) : std::string("/tmp");
}

} // namespace tb
