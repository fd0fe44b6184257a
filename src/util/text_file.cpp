#include "util/text_file.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <memory>
#include <new>
#include <random>
#include <sys/stat.h>
#include <unicode/ucnv.h>
#include <unistd.h>

namespace tb {

namespace {

// Owns a file descriptor; closes it unless released.
class Fd {
public:
    explicit Fd(int fd = -1) : fd_(fd) {}
    ~Fd() {
        if (fd_ >= 0)
            ::close(fd_);
    }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    int get() const { return fd_; }
    // Closes now and reports whether the close succeeded (errno set otherwise).
    bool close() {
        int fd = fd_;
        fd_ = -1;
        return ::close(fd) == 0;
    }

private:
    int fd_;
};

// Reads until size bytes or the end of the file; -1 with errno on a read error.
ssize_t readFull(int fd, unsigned char* buffer, size_t size) {
    size_t done = 0;
    while (done < size) {
        ssize_t n = ::read(fd, buffer + done, size - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return -1;
        if (n == 0)
            break;
        done += static_cast<size_t>(n);
    }
    return static_cast<ssize_t>(done);
}

bool writeFull(int fd, const unsigned char* data, size_t size) {
    while (size > 0) {
        ssize_t n = ::write(fd, data, size);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return false;
        data += n;
        size -= static_cast<size_t>(n);
    }
    return true;
}

// The bytes after the byte-order mark that were already read while looking for it.
struct Pending {
    std::array<unsigned char, 3> bytes{};
    size_t size = 0;
};

// Fills buffer with the pending bytes first, then from the file.
ssize_t readPiece(int fd, Pending& pending, unsigned char* buffer, size_t size) {
    size_t used = std::min({pending.size, size, pending.bytes.size()});
    std::copy_n(pending.bytes.begin(), used, buffer);
    pending.size = 0;
    ssize_t n = readFull(fd, buffer + used, size - used);
    return n < 0 ? -1 : n + static_cast<ssize_t>(used);
}

ErrorCode readUtf16(int fd, Pending pending, bool bigEndian, WideText& text) {
    unsigned char buffer[256 + 1];
    size_t carried = 0; // an odd byte left from a short piece
    for (;;) {
        ssize_t n = readPiece(fd, pending, buffer + carried, 256);
        if (n < 0)
            return mapErrno(errno);
        const size_t available = carried + static_cast<size_t>(n);
        const size_t units = available / 2;
        for (size_t i = 0; i < units; ++i) {
            unsigned first = buffer[2 * i], second = buffer[2 * i + 1];
            text.push_back(
                static_cast<char16_t>(bigEndian ? (first << 8 | second) : (second << 8 | first)));
        }
        carried = available % 2;
        if (carried)
            buffer[0] = buffer[available - 1];
        if (static_cast<size_t>(n) < 256)
            return err::kOk; // a final odd byte is dropped
    }
}

struct ConverterCloser {
    void operator()(UConverter* c) const { ucnv_close(c); }
};

ErrorCode readUtf8(int fd, Pending pending, WideText& text) {
    UErrorCode status = U_ZERO_ERROR;
    std::unique_ptr<UConverter, ConverterCloser> conv(ucnv_open("UTF-8", &status));
    if (U_FAILURE(status))
        return err::kGeneric;
    // Bad bytes become U+FFFD (the converter's default substitution).
    char input[128];
    UChar output[128];
    for (;;) {
        ssize_t n = readPiece(fd, pending, reinterpret_cast<unsigned char*>(input), sizeof input);
        if (n < 0)
            return mapErrno(errno);
        // A short piece is the last: flush so an incomplete sequence at the end is not lost.
        const bool last = static_cast<size_t>(n) < sizeof input;
        const char* source = input;
        const char* sourceLimit = input + n;
        do {
            status = U_ZERO_ERROR;
            UChar* target = output;
            ucnv_toUnicode(conv.get(), &target, output + 128, &source, sourceLimit, nullptr, last,
                           &status);
            text.append(output, static_cast<size_t>(target - output));
        } while (status == U_BUFFER_OVERFLOW_ERROR);
        if (U_FAILURE(status))
            return err::kGeneric;
        if (last)
            return err::kOk;
    }
}

std::string folderOf(const std::string& path) {
    size_t slash = path.rfind('/');
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
        int fd = ::open(tempPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    errno = EEXIST;
    return -1;
}

void syncFolder(const std::string& folder) {
    int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

} // namespace

ErrorCode ReadTextFile(const std::string& path, WideText& text) {
    text.clear();
    Fd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (fd.get() < 0)
        return mapErrno(errno);
    try {
        unsigned char head[3];
        ssize_t n = readFull(fd.get(), head, 3);
        if (n < 0)
            return mapErrno(errno);
        const auto got = static_cast<size_t>(n);
        size_t markLength = 0;
        int kind = 0; // 0 UTF-8, 1 UTF-16 BE, 2 UTF-16 LE
        if (got >= 2 && head[0] == 0xFE && head[1] == 0xFF) {
            markLength = 2;
            kind = 1;
        } else if (got >= 2 && head[0] == 0xFF && head[1] == 0xFE) {
            markLength = 2;
            kind = 2;
        } else if (got == 3 && head[0] == 0xEF && head[1] == 0xBB && head[2] == 0xBF) {
            markLength = 3;
        }
        Pending pending;
        pending.size = got - markLength;
        std::copy_n(head + markLength, pending.size, pending.bytes.begin());
        if (kind == 0)
            return readUtf8(fd.get(), pending, text);
        return readUtf16(fd.get(), pending, kind == 1, text);
    } catch (const std::bad_alloc&) {
        return err::kOutOfMemory;
    }
}

ErrorCode WriteFileAtomically(const std::string& path, std::string_view bytes) {
    const std::string target = resolveTarget(path);
    std::string tempPath;
    Fd fd(createTemporary(target, tempPath));
    if (fd.get() < 0)
        return mapErrno(errno);

    struct stat existing {};
    if (::stat(target.c_str(), &existing) == 0 && S_ISREG(existing.st_mode)) {
        // Replacing a file keeps its owner where allowed (only privileged processes may give
        // a file away) and its permissions; chmod comes last as chown may clear set-id bits.
        if (::fchown(fd.get(), existing.st_uid, existing.st_gid) != 0) {
            // Not ours to give away: the new file stays ours.
        }
        ::fchmod(fd.get(), existing.st_mode & 07777);
    }

    bool ok =
        writeFull(fd.get(), reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size()) &&
        ::fsync(fd.get()) == 0;
    ok = fd.close() && ok;
    if (ok && ::rename(tempPath.c_str(), target.c_str()) == 0) {
        syncFolder(folderOf(target));
        return err::kOk;
    }
    const int error = errno;
    ::unlink(tempPath.c_str());
    return mapErrno(error);
}

ErrorCode WriteTextFile(const std::string& path, const WideText& text) {
    std::string bytes;
    try {
        bytes.reserve(2 + text.size() * 2);
    } catch (const std::bad_alloc&) {
        return err::kOutOfMemory;
    }
    bytes.push_back(static_cast<char>(0xFF));
    bytes.push_back(static_cast<char>(0xFE));
    for (char16_t c : text) {
        bytes.push_back(static_cast<char>(c & 0xFF));
        bytes.push_back(static_cast<char>(c >> 8));
    }
    return WriteFileAtomically(path, bytes);
}

} // namespace tb
