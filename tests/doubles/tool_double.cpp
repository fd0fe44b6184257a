#include "tool_double.h"

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace double_tool {

std::string g_tool;

std::string setting(const char* key) {
    const char* value = std::getenv(("FAKE_" + g_tool + "_" + key).c_str());
    return value ? value : "";
}

long numberSetting(const char* key) {
    const std::string value = setting(key);
    return value.empty() ? 0 : std::strtol(value.c_str(), nullptr, 10);
}

bool linuxTools() {
    const char* value = std::getenv("FAKE_TOOLS");
    return value && std::string(value) == "linux";
}

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

bool isFile(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

void out(const std::string& text) {
    std::fwrite(text.data(), 1, text.size(), stdout);
}

void err(const std::string& text) {
    std::fflush(stderr);
    [[maybe_unused]] ssize_t ignored = ::write(STDERR_FILENO, text.data(), text.size());
}

namespace {

// c as one to four bytes: a lead byte with the count, then six bits a byte.
void appendUtf8(std::string& out, uint32_t c) {
    const int more = c < 0x80 ? 0 : c < 0x800 ? 1 : c < 0x10000 ? 2 : 3;
    out += char(more ? (0xFF00 >> (more + 1)) | (c >> (6 * more)) : c);
    for (int i = more - 1; i >= 0; --i)
        out += char(0x80 | ((c >> (6 * i)) & 0x3F));
}

} // namespace

std::string trim(const std::string& text) {
    const size_t first = text.find_first_not_of(" \t\r");
    if (first == std::string::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

std::vector<std::string> split(const std::string& text, char separator) {
    std::vector<std::string> parts;
    size_t start = 0;
    for (size_t at; (at = text.find(separator, start)) != std::string::npos; start = at + 1)
        parts.push_back(trim(text.substr(start, at - start)));
    parts.push_back(trim(text.substr(start)));
    return parts;
}

std::string packageText(const std::string& bytes) {
    if (bytes.size() < 2 || uint8_t(bytes[0]) != 0xFF || uint8_t(bytes[1]) != 0xFE)
        return bytes;
    std::string out;
    for (size_t i = 2; i + 1 < bytes.size(); i += 2) {
        uint32_t c = uint8_t(bytes[i]) | (uint32_t(uint8_t(bytes[i + 1])) << 8);
        if (c >= 0xD800 && c < 0xDC00 && i + 3 < bytes.size()) {
            const uint32_t low = uint8_t(bytes[i + 2]) | (uint32_t(uint8_t(bytes[i + 3])) << 8);
            c = 0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00);
            i += 2;
        }
        appendUtf8(out, c);
    }
    return out;
}

std::vector<std::string> quotedStrings(const std::string& line) {
    std::vector<std::string> out;
    for (size_t open = line.find('"'); open != std::string::npos;) {
        const size_t close = line.find('"', open + 1);
        if (close == std::string::npos)
            break;
        out.push_back(line.substr(open + 1, close - open - 1));
        open = line.find('"', close + 1);
    }
    return out;
}

uint32_t uidIn(const std::string& line) {
    const size_t at = line.rfind("(0x");
    return at == std::string::npos ? 0 : uint32_t(std::strtoul(line.c_str() + at + 1, nullptr, 16));
}

uint32_t word(const std::string& bytes, size_t at) {
    return uint32_t(uint8_t(bytes[at])) | uint32_t(uint8_t(bytes[at + 1])) << 8 |
           uint32_t(uint8_t(bytes[at + 2])) << 16 | uint32_t(uint8_t(bytes[at + 3])) << 24;
}

std::string sisBytes(uint32_t uid, const std::string& content) {
    std::string sis;
    for (uint32_t value : {kSisUid1, 0u, uid, 0u})
        for (int i = 0; i < 4; ++i)
            sis += char((value >> (8 * i)) & 0xFF);
    return sis + content;
}

bool looksLikeSis(const std::string& bytes) {
    return bytes.size() >= 16 && word(bytes, 0) == kSisUid1;
}

int finish(int code, const std::string& output, const std::string& bytes) {
    for (long left = numberSetting("OUTPUT_BYTES"), n = 0; left > 0; ++n) {
        std::string line = std::to_string(n) + ": filler output";
        line.resize(size_t(std::min(left, 100L)) - 1, '.');
        out(line + "\n");
        left -= long(line.size()) + 1;
    }
    std::fflush(stdout);
    if (setting("KILL_PARENT") == "1")
        ::kill(::getppid(), SIGKILL);
    if (const long ms = numberSetting("SLEEP_MS"); ms > 0) {
        const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
        while (std::chrono::steady_clock::now() < end) // a signal cuts sleep_for short
            std::this_thread::sleep_for(end - std::chrono::steady_clock::now());
    }
    if (code == 0 && setting("NO_FILE") != "1")
        std::ofstream(output, std::ios::binary) << bytes;
    return code;
}

} // namespace double_tool
