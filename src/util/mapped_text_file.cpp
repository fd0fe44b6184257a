#include "util/mapped_text_file.h"

#include "util/text_file.h"

#include <bit>
#include <cerrno>
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tb {

MappedTextFile::~MappedTextFile() {
    unmap();
}

void MappedTextFile::unmap() {
    if (mapping_)
        ::munmap(mapping_, mappedBytes_);
    mapping_ = nullptr;
    mappedBytes_ = 0;
    text_ = {};
}

ErrorCode MappedTextFile::open(const std::string& path, InvalidUtf8 invalid) {
    unmap();
    decoded_.clear();
    if constexpr (std::endian::native == std::endian::little) {
        const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
        if (fd < 0)
            return mapErrno(errno);
        struct stat info {};
        if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && info.st_size >= 2) {
            const size_t bytes = size_t(info.st_size);
            void* mapping = ::mmap(nullptr, bytes, PROT_READ, MAP_PRIVATE | MAP_POPULATE, fd, 0);
            if (mapping != MAP_FAILED) {
                const auto* start = static_cast<const unsigned char*>(mapping);
                if (start[0] == 0xFF && start[1] == 0xFE) {
                    ::close(fd);
                    mapping_ = mapping;
                    mappedBytes_ = bytes;
                    // Page-aligned mapping, so the units after the mark are aligned; a final
                    // odd byte is dropped, as the decoder drops it.
                    text_ = std::u16string_view(reinterpret_cast<const char16_t*>(start + 2),
                                                (bytes - 2) / 2);
                    return err::kOk;
                }
                ::munmap(mapping, bytes);
            }
        }
        ::close(fd);
    }
    const ErrorCode code = ReadTextFile(path, decoded_, invalid);
    text_ = decoded_;
    return code;
}

} // namespace tb
