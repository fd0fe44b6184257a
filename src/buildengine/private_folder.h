#pragma once

#include <string>

namespace tb {

// A folder only this user can enter (made with mkdtemp), removed with everything in it when the
// object goes. An empty path means the folder could not be made.
class PrivateFolder {
public:
    PrivateFolder() = default;
    ~PrivateFolder();
    PrivateFolder(PrivateFolder&& other) noexcept;
    PrivateFolder& operator=(PrivateFolder&& other) noexcept;
    PrivateFolder(const PrivateFolder&) = delete;
    PrivateFolder& operator=(const PrivateFolder&) = delete;

    // Makes <base>/<prefix>XXXXXX; on failure returns an empty folder and sets error to errno.
    static PrivateFolder create(const std::string& base, const std::string& prefix, int& error);

    bool valid() const { return !path_.empty(); }
    const std::string& path() const { return path_; }
    // Removes the folder now (nothing happens for an empty one).
    void remove();

private:
    std::string path_;
};

// $TMPDIR when set and not empty, else /tmp.
std::string TemporaryFolderBase();

} // namespace tb
