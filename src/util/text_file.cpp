#include "util/text_file.h"

#include "util/file_descriptor.h"

#include <algorithm>
#include <bit>
#include <cerrno>
#include <fcntl.h>
#include <memory>
#include <new>
#include <string_view>
#include <sys/stat.h>
#include <unicode/ucnv.h>
#include <unicode/ucnv_cb.h>

namespace tb {

namespace {

// Large enough that a package file takes a few dozen reads, small enough to stay in the cache.
constexpr size_t kBlockSize = size_t(1) << 18;
static_assert(kBlockSize % 2 == 0, "UTF-16 units must not straddle blocks");

enum class Encoding { Utf8, Utf16BigEndian, Utf16LittleEndian, Unmarked };

// Takes the byte order mark off the first bytes and says what follows it.
Encoding detectEncoding(std::string_view& bytes) {
    auto startsWith = [&](std::string_view mark) { return bytes.substr(0, mark.size()) == mark; };
    if (startsWith("\xFE\xFF")) {
        bytes.remove_prefix(2);
        return Encoding::Utf16BigEndian;
    }
    if (startsWith("\xFF\xFE")) {
        bytes.remove_prefix(2);
        return Encoding::Utf16LittleEndian;
    }
    if (startsWith("\xEF\xBB\xBF")) {
        bytes.remove_prefix(3);
        return Encoding::Utf8;
    }
    return Encoding::Unmarked;
}

// Each byte of an invalid sequence becomes the character of its value.
void invalidAsLatin1(const void*, UConverterToUnicodeArgs* args, const char* codeUnits,
                     int32_t length, UConverterCallbackReason reason, UErrorCode* status) {
    if (reason > UCNV_IRREGULAR)
        return; // reset, close or clone: nothing to convert
    UChar units[8];
    length = std::min<int32_t>(length, 8);
    for (int32_t i = 0; i < length; ++i)
        units[i] = UChar(static_cast<unsigned char>(codeUnits[i]));
    *status = U_ZERO_ERROR;
    ucnv_cbToUWriteUChars(args, units, length, 0, status);
}

struct ConverterCloser {
    void operator()(UConverter* c) const { ucnv_close(c); }
};

// Appends the text of the file's bytes block by block; a UTF-8 sequence may straddle two.
class TextDecoder {
public:
    TextDecoder(Encoding encoding, WideText& text) : encoding_(encoding), text_(text) {}

    // -5 when the UTF-8 converter cannot be opened.
    ErrorCode open(InvalidUtf8 invalid) {
        if (!isUtf8())
            return err::kOk;
        UErrorCode status = U_ZERO_ERROR;
        converter_.reset(ucnv_open("UTF-8", &status));
        if (U_SUCCESS(status) && encoding_ == Encoding::Unmarked &&
            invalid == InvalidUtf8::AsLatin1)
            ucnv_setToUCallBack(converter_.get(), invalidAsLatin1, nullptr, nullptr, nullptr,
                                &status);
        return U_FAILURE(status) ? err::kGeneric : err::kOk;
    }

    // last: the end of the file follows these bytes.
    ErrorCode feed(std::string_view bytes, bool last) {
        if (isUtf8())
            return feedUtf8(bytes, last);
        feedUtf16(bytes);
        return err::kOk;
    }

private:
    bool isUtf8() const { return encoding_ == Encoding::Utf8 || encoding_ == Encoding::Unmarked; }

    // Every block but the last holds whole units (the block size and the marks before them
    // are even); a final odd byte is dropped.
    void feedUtf16(std::string_view bytes) {
        const auto* in = reinterpret_cast<const unsigned char*>(bytes.data());
        const size_t units = bytes.size() / 2;
        const size_t start = text_.size();
        text_.resize(start + units);
        char16_t* out = text_.data() + start;
        const unsigned high = encoding_ == Encoding::Utf16BigEndian ? 0 : 1;
        for (size_t i = 0; i < units; ++i)
            out[i] = char16_t(in[2 * i + high] << 8 | in[2 * i + 1 - high]);
    }

    // Bad bytes become U+FFFD (the converter's default substitution); an incomplete sequence
    // at the end is flushed as one.
    ErrorCode feedUtf8(std::string_view bytes, bool last) {
        const char* source = bytes.data();
        const char* const limit = source + bytes.size();
        UErrorCode status = U_ZERO_ERROR;
        do {
            // A byte gives at most one unit; the converter may add the few it held back.
            const size_t start = text_.size();
            text_.resize(start + size_t(limit - source) + 4);
            UChar* const begin = reinterpret_cast<UChar*>(text_.data() + start);
            UChar* target = begin;
            status = U_ZERO_ERROR;
            ucnv_toUnicode(converter_.get(), &target,
                           reinterpret_cast<UChar*>(text_.data() + text_.size()), &source, limit,
                           nullptr, last, &status);
            text_.resize(start + size_t(target - begin));
        } while (status == U_BUFFER_OVERFLOW_ERROR);
        return U_FAILURE(status) ? err::kGeneric : err::kOk;
    }

    Encoding encoding_;
    WideText& text_;
    std::unique_ptr<UConverter, ConverterCloser> converter_;
};

// Room for the whole text of a file of that size; a pipe's text grows as it comes.
void reserveFor(int fd, Encoding encoding, WideText& text) {
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || st.st_size <= 0)
        return;
    const auto bytes = static_cast<unsigned long long>(st.st_size);
    const bool utf16 =
        encoding == Encoding::Utf16BigEndian || encoding == Encoding::Utf16LittleEndian;
    text.reserve(size_t(utf16 ? bytes / 2 : bytes));
}

ErrorCode readText(int fd, WideText& text, InvalidUtf8 invalid) {
    std::unique_ptr<char[]> block(new char[kBlockSize]);
    ssize_t n = ReadFull(fd, block.get(), kBlockSize);
    if (n < 0)
        return mapErrno(errno);
    std::string_view bytes(block.get(), size_t(n));
    const Encoding encoding = detectEncoding(bytes);
    reserveFor(fd, encoding, text);
    TextDecoder decoder(encoding, text);
    if (const ErrorCode result = decoder.open(invalid); result != err::kOk)
        return result;
    for (;;) {
        // A short block is the last: the file ends there.
        const bool last = size_t(n) < kBlockSize;
        if (const ErrorCode result = decoder.feed(bytes, last); result != err::kOk)
            return result;
        if (last)
            return err::kOk;
        n = ReadFull(fd, block.get(), kBlockSize);
        if (n < 0)
            return mapErrno(errno);
        bytes = std::string_view(block.get(), size_t(n));
    }
}

} // namespace

ErrorCode ReadTextFile(const std::string& path, WideText& text, InvalidUtf8 invalid) {
    text.clear();
    Fd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (fd.get() < 0)
        return mapErrno(errno);
    try {
        const ErrorCode result = readText(fd.get(), text, invalid);
        if (result != err::kOk)
            text.clear();
        return result;
    } catch (const std::bad_alloc&) {
        text.clear();
        return err::kOutOfMemory;
    }
}

std::string_view Utf16LittleEndianBytes(std::u16string_view text, std::string& buffer) {
    if constexpr (std::endian::native == std::endian::little) {
        return {reinterpret_cast<const char*>(text.data()), text.size() * sizeof(char16_t)};
    } else {
        buffer.resize(text.size() * 2);
        for (size_t i = 0; i < text.size(); ++i) {
            buffer[2 * i] = char(text[i] & 0xFF);
            buffer[2 * i + 1] = char(text[i] >> 8);
        }
        return buffer;
    }
}

ErrorCode WriteTextFile(const std::string& path, const WideText& text) {
    try {
        std::string buffer;
        return WriteFileAtomically(path,
                                   {kUtf16LittleEndianMark, Utf16LittleEndianBytes(text, buffer)});
    } catch (const std::bad_alloc&) {
        return err::kOutOfMemory;
    }
}

} // namespace tb
