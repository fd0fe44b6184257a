#include "util/atomic_write.h"

#include "util/file_descriptor.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <memory>
#include <random>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace tb {

namespace {

// Runs source into fd; the number of bytes written goes to written. A failed write wins over
// whatever the source says, since the source only learns that one happened.
ErrorCode produce(int fd, const ByteSource& source, uint64_t& written) {
    int writeError = 0;
    const ByteWriter write = [&](std::string_view bytes) {
        if (writeError == 0 && !WriteAll(fd, bytes.data(), bytes.size()))
            writeError = errno;
        written += bytes.size();
        return writeError == 0;
    };
    const ErrorCode result = source(write);
    return writeError ? mapErrno(writeError) : result;
}

std::string folderOf(const std::string& path) {
    const size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// A symbolic link is written through, so the link itself stays in place.
std::string resolveTarget(const std::string& path) {
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode))
        return path;
    std::unique_ptr<char, decltype(&std::free)> resolved(::realpath(path.c_str(), nullptr),
                                                         &std::free);
    return resolved ? std::string(resolved.get()) : path;
}

// Creates "<folder>/.<name>.XXXXXX" exclusively with mode 0666, so the umask (or the
// folder's default ACL) applies as for any new file.
int createTemporary(const std::string& target, std::string& tempPath) {
    const std::string folder = folderOf(target);
    std::string name =
        target.substr(target.rfind('/') == std::string::npos ? 0 : target.rfind('/') + 1);
    if (name.size() > 200)
        name.resize(200); // keep within NAME_MAX with the prefix and suffix
    static constexpr char kChars[] =
        "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    std::random_device seed;
    std::mt19937 random(seed());
    std::uniform_int_distribution<size_t> pick(0, sizeof kChars - 2);
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::string suffix(6, 'x');
        for (char& c : suffix)
            c = kChars[pick(random)];
        tempPath = folder + "/." + name + "." + suffix;
        const int fd = ::open(tempPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    errno = EEXIST;
    return -1;
}

void syncFolder(const std::string& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

// The replacement keeps the old file's owner where allowed (only privileged processes may
// give a file away) and its permissions; chmod comes last as chown may clear set-id bits.
// False when the file belongs to someone else and the new one could not be given to them.
bool takeOwnerAndMode(int fd, const struct stat& existing) {
    if (::fchown(fd, existing.st_uid, existing.st_gid) != 0 && existing.st_uid != ::geteuid())
        return false;
    ::fchmod(fd, existing.st_mode & 07777);
    return true;
}

// Overwrites the file itself, so its links, owner and folder stay as they are. Room for a
// longer text is claimed first: a full disk then fails before the old contents are touched.
ErrorCode writeInPlace(const std::string& target, const struct stat& existing, uint64_t size,
                       const ByteSource& source) {
    Fd fd(::open(target.c_str(), O_WRONLY | O_CLOEXEC));
    if (fd.get() < 0)
        return mapErrno(errno);
    if (off_t(size) > existing.st_size) {
        const int error =
            ::posix_fallocate(fd.get(), existing.st_size, off_t(size) - existing.st_size);
        if (error == ENOSPC || error == EDQUOT || error == EFBIG)
            return mapErrno(error);
    }
    uint64_t written = 0;
    if (const ErrorCode result = produce(fd.get(), source, written); result != err::kOk)
        return result;
    bool ok = ::ftruncate(fd.get(), off_t(written)) == 0 && ::fsync(fd.get()) == 0;
    ok = fd.close() && ok;
    return ok ? err::kOk : mapErrno(errno);
}

// Removes the temporary file unless it has become the target.
class TemporaryFile {
public:
    explicit TemporaryFile(std::string path) : path_(std::move(path)) {}
    ~TemporaryFile() {
        if (!path_.empty())
            ::unlink(path_.c_str());
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;
    void discard() {
        ::unlink(path_.c_str());
        path_.clear();
    }
    // Renames it over target; errno set on failure.
    bool commit(const std::string& target) {
        if (::rename(path_.c_str(), target.c_str()) != 0)
            return false;
        path_.clear();
        return true;
    }

private:
    std::string path_;
};

} // namespace

ErrorCode WriteFileAtomically(const std::string& path, uint64_t size, const ByteSource& source) {
    const std::string target = resolveTarget(path);
    struct stat existing {};
    const bool replacing = ::stat(target.c_str(), &existing) == 0 && S_ISREG(existing.st_mode);
    if (replacing) {
        // The mode bits decide even for root, whom access(2) lets write anything.
        if ((existing.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0)
            return err::kAccessDenied;
        if (::faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0)
            return mapErrno(errno);
        if (existing.st_nlink > 1) // a new file would split the links
            return writeInPlace(target, existing, size, source);
    }

    std::string tempPath;
    Fd fd(createTemporary(target, tempPath));
    if (fd.get() < 0) {
        const int error = errno;
        // A folder that takes no new file may still hold a file we may write.
        if (replacing && (error == EACCES || error == EPERM))
            return writeInPlace(target, existing, size, source);
        return mapErrno(error);
    }
    TemporaryFile temporary(tempPath);
    if (replacing && !takeOwnerAndMode(fd.get(), existing)) {
        fd.close();
        temporary.discard();
        return writeInPlace(target, existing, size, source);
    }

    uint64_t written = 0;
    if (const ErrorCode result = produce(fd.get(), source, written); result != err::kOk)
        return result;
    const bool ok = ::fsync(fd.get()) == 0;
    if (!fd.close() || !ok || !temporary.commit(target))
        return mapErrno(errno);
    syncFolder(folderOf(target));
    return err::kOk;
}

ErrorCode WriteFileAtomically(const std::string& path, std::string_view bytes) {
    return WriteFileAtomically(path, std::initializer_list<std::string_view>{bytes});
}

ErrorCode WriteFileAtomically(const std::string& path,
                              std::initializer_list<std::string_view> pieces) {
    uint64_t size = 0;
    for (std::string_view piece : pieces)
        size += piece.size();
    return WriteFileAtomically(path, size, [pieces](const ByteWriter& write) {
        for (std::string_view piece : pieces)
            if (!write(piece))
                break;
        return err::kOk;
    });
}

} // namespace tb
