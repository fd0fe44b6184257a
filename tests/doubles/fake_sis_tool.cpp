// Stands in for the SDK's makesis and signsis (chosen by the name it is started under). It
// prints what the real tools print at the interface the build reads and writes a SIS file
// whose bytes 8-11 hold the package UID. Behaviour per test, through FAKE_MAKESIS_<KEY> or
// FAKE_SIGNSIS_<KEY>:
//   OUTPUT_BYTES=n     n more bytes of unrecognised output, in lines
//   SLEEP_MS=n         stay silent this long before finishing
//   IGNORE_TERM=1      ignore SIGTERM
//   NO_FILE=1          end with 0 without writing the output
//   NO_FINAL_NEWLINE=1 the last line has no line end
//   KILL_PARENT=1      kill the process that started it
//   ARGV_FILE=path     append the arguments to path, one a line, then "--"
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

std::string g_tool; // "MAKESIS" or "SIGNSIS"

std::string setting(const char* key) {
    const char* value = std::getenv(("FAKE_" + g_tool + "_" + key).c_str());
    return value ? value : "";
}

long numberSetting(const char* key) {
    const std::string value = setting(key);
    return value.empty() ? 0 : std::strtol(value.c_str(), nullptr, 10);
}

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

bool isFile(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

void put(const std::string& text) {
    std::fwrite(text.data(), 1, text.size(), stdout);
}

void appendUtf8(std::string& out, uint32_t c) {
    if (c < 0x80) {
        out += char(c);
    } else if (c < 0x800) {
        out += char(0xC0 | (c >> 6));
        out += char(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += char(0xE0 | (c >> 12));
        out += char(0x80 | ((c >> 6) & 0x3F));
        out += char(0x80 | (c & 0x3F));
    } else {
        out += char(0xF0 | (c >> 18));
        out += char(0x80 | ((c >> 12) & 0x3F));
        out += char(0x80 | ((c >> 6) & 0x3F));
        out += char(0x80 | (c & 0x3F));
    }
}

// Package files come as UTF-16LE with a byte order mark, or as UTF-8.
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

void putWord(std::string& out, uint32_t value) {
    for (int i = 0; i < 4; ++i)
        out += char((value >> (8 * i)) & 0xFF);
}

void printLines(const std::vector<std::string>& lines) {
    const bool open = setting("NO_FINAL_NEWLINE") == "1";
    for (size_t i = 0; i < lines.size(); ++i)
        put(lines[i] + (open && i + 1 == lines.size() ? "" : "\n"));
    std::fflush(stdout);
}

// Behaviour shared by both tools after their own work; returns the exit code.
int finish(int code, const std::string& output, const std::string& bytes) {
    for (long left = numberSetting("OUTPUT_BYTES"), n = 0; left > 0; ++n) {
        std::string line = std::to_string(n) + ": filler output";
        line.resize(size_t(std::min(left, 100L)) - 1, '.');
        put(line + "\n");
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

int makesis(const std::vector<std::string>& args) {
    std::vector<std::string> files;
    for (const std::string& arg : args)
        if (arg.empty() || arg[0] != '-')
            files.push_back(arg);
    if (files.size() != 2) {
        put("Usage: makesis [-v] pkgfile [sisfile]\n");
        return 1;
    }
    const std::string& pkg = files[0];
    const std::string text = packageText(readFile(pkg));
    std::vector<std::string> lines{"Processing " + pkg + "..."};
    uint32_t uid = 0;
    bool inBlock = false;
    size_t lineNumber = 0;
    auto report = [&](const std::string& what) {
        lines.push_back(pkg + "(" + std::to_string(lineNumber) + ") : " + what);
    };
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        std::string line = text.substr(start, end - start);
        start = end + 1;
        ++lineNumber;
        line.erase(0, line.find_first_not_of(" \t\r"));
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.empty() || line[0] == ';')
            continue;
        const std::vector<std::string> quoted = quotedStrings(line);
        const std::string source = quoted.empty() ? std::string() : quoted[0];
        bool fault = false;
        if (inBlock) {
            if (line[0] == '}')
                inBlock = false;
            else
                fault = !isFile(source);
        } else if (line[0] == '&') {
            report("processing languages");
        } else if (line[0] == '#') {
            uid = uidIn(line);
            report("processing header");
        } else if (line[0] == '=') {
            fault = !isFile(source);
            if (!fault)
                report("processing logo");
        } else if (line[0] == '"') {
            // Reported before the file is read, so a fault refers to the line just reported.
            report("processing file");
            fault = !isFile(source);
        } else if (line[0] == '{') {
            inBlock = true;
            report("processing language block");
        } else if (line[0] == '@') {
            report("processing embedded package file");
            fault = !isFile(source);
            const std::string embedded = fault ? std::string() : readFile(source);
            if (!fault && (embedded.size() < 16 || word(embedded, 8) != uidIn(line))) {
                report("error: different UID.");
                printLines(lines);
                return 1;
            }
        } else if (line[0] == '!') {
            report("processing options block");
        } else if (line.rfind("IF", 0) == 0) {
            report("processing IF block");
        }
        if (fault) {
            report("error: file I/O fault.");
            printLines(lines);
            return 1;
        }
    }
    if (setting("NO_FINAL_NEWLINE") != "1")
        lines.push_back("Created  " + files[1]);
    printLines(lines);
    std::string sis;
    for (uint32_t value : {0x10201A7Au, 0u, uid, 0u})
        putWord(sis, value);
    return finish(0, files[1], sis + text);
}

int signsis(const std::vector<std::string>& args) {
    if (args.size() < 5 || args.size() > 6 || args[0] != "-s") {
        put("Usage: signsis -s input.sis output.sisx certificate key [passphrase]\n");
        return 1;
    }
    for (size_t i : {size_t(1), size_t(3), size_t(4)}) {
        if (!isFile(args[i])) {
            put("file I/O fault, cannot open " + args[i] + "\n");
            return 1;
        }
    }
    // A test key "ENCRYPTED:<passphrase>" wants that passphrase.
    const std::string key = readFile(args[4]);
    if (key.rfind("ENCRYPTED:", 0) == 0) {
        if (args.size() == 5) {
            put("error:0906A068:PEM routines:PEM_do_header:bad password read\n");
            return 1;
        }
        if (key.substr(10) != args[5]) {
            put("error:06065064:digital envelope routines:EVP_DecryptFinal_ex:bad decrypt\n");
            return 1;
        }
    }
    printLines({"Signing " + args[1]});
    return finish(0, args[2], readFile(args[1]) + "SIGNED");
}

} // namespace

int main(int argc, char** argv) {
    std::string name = argv[0];
    name = name.substr(name.rfind('/') + 1);
    g_tool = name == "signsis" ? "SIGNSIS" : "MAKESIS";
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (setting("IGNORE_TERM") == "1")
        std::signal(SIGTERM, SIG_IGN);
    if (const std::string file = setting("ARGV_FILE"); !file.empty()) {
        std::ofstream out(file, std::ios::app);
        for (const std::string& arg : args)
            out << arg << "\n";
        out << "--\n";
    }
    return g_tool == "SIGNSIS" ? signsis(args) : makesis(args);
}
