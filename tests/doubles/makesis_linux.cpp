// makesis as the Linux build (version 4.0) behaves: arguments before the package file that
// start with '-' or '/' are switches, lines end with LF, progress and errors are
// "<pkg>(<line>) : <text>", and it fails where that tool fails (see tests/data/linux_tools).
#include "tool_double.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <map>
#include <set>
#include <unistd.h>

namespace double_tool {

namespace {

const char kBanner[] = "\nMakeSIS, version 4.0\n"
                       "A utility for creating Software Installation (SIS) files.\n"
                       "Copyright (c) 2000 Symbian Ltd. All rights reserved.\n\n";

const char kUsage[] =
    "Usage : makesis [-h] [-v] [-s] [-c] [-d directory] [-p password] pkgfile [sisfile]\n\n"
    "  Options : -h Show help page\n"
    "  Options : -v Verbose output to screen\n"
    "  Options : -s Create stub SIS file\n"
    "  Options : -d Specify a directory path to search\n"
    "  Options : -p Specify a password to decrypt private key\n\n"
    "  Options : -c Sign the SIS with a selfsigned certificate\n"
    "  Options : -t Specify a timestamp\n\n"
    "  use -h option to see pkgfile format\n";

// Its language table is the one its usage text lists: no SA, and SF for both Swiss French and
// South African English.
const char kLanguageUsage[] =
    "  Usage : &aa,bb,...zz\n"
    "          AF - Afrikaans, SQ - Albanian, AH - Amharic\n"
    "          AR - Arabic, HY - Armenian, AU - Australian\n"
    "          AS - Austrian, BE - Belarussian, BN - Bengali\n"
    "          BG - Bulgarian, MY - Burmese, CA - Catalan\n"
    "          TC - Taiwan Chinese, HK - Hong Kong Chinese\n"
    "          ZH - PRC Chinese\n"
    "          HR - Croatian, CS - Czech, DA - Danish, DU - Dutch\n"
    "          EN - English, AM - American English, CE - Canadian English\n"
    "          IE - International English, SF - South African English\n"
    "          ET - Estonian, FA - Farsi, FI - Finnish, BL - Belgian Flemish\n"
    "          FR - French, BF - Belgian French,  CF - Canadian French\n"
    "          IF - International French, SF - Swiss French\n"
    "          GD - Scots Gaelic, KA - Georgian, GE - German\n"
    "          SG - Swiss German, EL - Greek, GU - Gujarati\n"
    "          HE - Hebrew, HI - Hindi, HU - Hungarian\n"
    "          IC - Icelandic, IN - Indonesian, GA - Irish\n"
    "          IT - Italian, SZ - Swiss Italian, JA - Japanese, \n"
    "          KN - Kannada, KK - Kazakh, KM - Khmer\n"
    "          KO - Korean, LO - Laothian, LV - Latvian\n"
    "          LT - Lithuanian, MK - Macedonian, MS - Malay\n"
    "          ML - Malayalam, MR - Marathi, MO - Moldovian\n"
    "          MN - Mongolian, NZ - New Zealand, NO - Norwegian\n"
    "          NN - Norwegian Nynorsk, PL - Polish, PO - Portuguese\n"
    "          BP - Brazilian Portuguese, PA - Punjabi, RO - Romanian\n"
    "          RU - Russian, SR - Serbian, SI - Sinhalese\n"
    "          SK - Slovak, SL - Slovenian, SO - Somali\n"
    "          SP - Spanish, OS - International Spanish\n"
    "          LS - Latin American Spanish\n"
    "          SH - Swahili, SW - Swedish, FS - Finland Swedish\n"
    "          TL - Tagalog, TA - Tamil, TE - Telugu, TH - Thai\n"
    "          BO - Tibetan, TI - Tigrinya, TU - Turkish\n"
    "          CT - Cyprus Turkish, TK - Turkmen, UK - Ukrainian\n"
    "          UR - Urdu\n"
    "          VI - Vietnamese, CY - Welsh, ZU - Zulu\n";

// Header options it knows besides TYPE=; it knows no RU and no pre-installed types.
const std::set<std::string> kHeaderOptions = {"NC",           "NOCOMPRESS", "SH",
                                              "SHUTDOWNAPPS", "IU",         "IUNICODE"};
const std::set<std::string> kPackageTypes = {"SA",     "SP",       "PU",
                                             "SISAPP", "SISPATCH", "PARTIALUPGRADE"};

// Lines it only reports, by their first character.
const std::map<char, const char*> kReportedOnly = {{';', "processing comment"},
                                                   {'%', "processing localized vendor names"},
                                                   {':', "processing vendor name"},
                                                   {'+', "processing capability"},
                                                   {'[', "processing platform dependency"},
                                                   {'(', "processing dependency"},
                                                   {'!', "processing options block"}};

const char kLetters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";

std::string upper(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return char(std::toupper(c)); });
    return text;
}

// Numbers are accepted too.
bool knownLanguage(const std::string& entry) {
    if (!entry.empty() && std::all_of(entry.begin(), entry.end(), ::isdigit))
        return true;
    const std::string code = upper(entry.substr(0, entry.find('(')));
    return code.size() == 2 &&
           std::string(kLanguageUsage).find(" " + code + " - ") != std::string::npos;
}

bool knownHeaderOptions(const std::string& line) {
    const size_t close = line.find(')', line.find('}'));
    if (close == std::string::npos)
        return true;
    const std::vector<std::string> parts = split(line.substr(close + 1), ',');
    for (size_t i = 4; i < parts.size(); ++i) { // after the three version numbers
        const std::string option = upper(parts[i]);
        if (option.rfind("TYPE", 0) == 0) {
            const std::string type = trim(option.substr(option.find('=') + 1));
            if (option.find('=') == std::string::npos || !kPackageTypes.count(type))
                return false;
        } else if (!kHeaderOptions.count(option)) {
            return false;
        }
    }
    return true;
}

// The file option keyword after the target, e.g. "FN" of `"" - "x", FN`.
std::string fileOption(const std::string& line) {
    const size_t dash = line.find('-', line.find('"', line.find('"') + 1) + 1);
    const size_t targetEnd = line.find('"', line.find('"', dash) + 1);
    if (dash == std::string::npos || targetEnd == std::string::npos)
        return {};
    const std::vector<std::string> parts = split(line.substr(targetEnd + 1), ',');
    return parts.size() > 1 ? upper(parts[1]) : std::string();
}

std::string absolutePath(const std::string& path) {
    if (path.empty() || path[0] == '/')
        return path;
    char folder[4096];
    return ::getcwd(folder, sizeof folder) ? std::string(folder) + "/" + path : path;
}

class LinuxMakesis {
public:
    LinuxMakesis(std::string pkg, std::string output)
        : pkg_(std::move(pkg)), output_(std::move(output)) {}

    int run();

private:
    void report(size_t line, const std::string& what) {
        out(pkg_ + "(" + std::to_string(line) + ") : " + what + "\n");
        if (noteLine_ != 0) {
            out(pkg_ + "(" + std::to_string(noteLine_) +
                ") : no languages defined, assuming English only\n");
            noteLine_ = 0;
        }
    }
    int fail(size_t line, const std::string& what) {
        report(line, "error: " + what);
        return 1;
    }
    // Handles the line at index at (and the lines a block takes); non-zero to stop with that
    // exit code.
    int handle(size_t& at);
    int languageBlock(size_t& at);
    int embedded(size_t line, const std::string& text);

    std::string pkg_, output_;
    std::vector<std::string> lines_;
    uint32_t uid_ = 0;
    bool languages_ = false;
    size_t noteLine_ = 0;
    std::string corruptEmbed_;
};

int LinuxMakesis::embedded(size_t line, const std::string& text) {
    const std::vector<std::string> quoted = quotedStrings(text);
    const std::string path = quoted.empty() ? std::string() : quoted[0];
    if (!isFile(path))
        return fail(line, "file not found");
    const std::string bytes = readFile(path);
    if (!looksLikeSis(bytes)) {
        corruptEmbed_ = absolutePath(path); // found out only when the SIS file is generated
        return 0;
    }
    if (word(bytes, 8) != uidIn(text))
        return fail(line + 1, "UID in the embedded SIS file is not the same as the UID given "
                              "in the package file.");
    return 0;
}

int LinuxMakesis::languageBlock(size_t& at) {
    const size_t first = at;
    std::string block;
    for (; at < lines_.size(); ++at) {
        block += lines_[at] + "\n";
        if (lines_[at].find('}') != std::string::npos)
            break;
    }
    const size_t close = block.find('}');
    const std::vector<std::string> sources = quotedStrings(block.substr(0, close));
    const std::string rest = close == std::string::npos ? std::string() : block.substr(close + 1);
    // It names the block by the line it has read on to, the first source's.
    const size_t line =
        std::min(first + 1 + (lines_[first].find('"') == std::string::npos), at + 1);
    report(line, "processing language block");
    const size_t quote = block.find('"');
    const size_t before =
        quote == std::string::npos ? quote : block.find_last_not_of(" \t\n", quote - 1);
    const bool packages = before != std::string::npos && block[before] == '@';
    if (!packages) {
        const std::string option = fileOption("\"\"" + rest);
        if (option == "FN" || option == "FILENULL")
            return 0;
    }
    for (const std::string& source : sources) {
        if (!isFile(source))
            return fail(line, "file not found");
        if (packages && !looksLikeSis(readFile(source)))
            corruptEmbed_ = absolutePath(source);
    }
    return 0;
}

int LinuxMakesis::handle(size_t& at) {
    const size_t line = at + 1;
    const std::string& text = lines_[at];
    if (text.empty())
        return 0;
    const char first = text[0];
    if (first != ';' && first != '&' && !languages_) {
        languages_ = true;
        noteLine_ = line; // said after the line's own progress line
    }
    const std::vector<std::string> quoted = quotedStrings(text);
    const std::string source = quoted.empty() ? std::string() : quoted[0];
    const std::string word = upper(text.substr(0, text.find_first_not_of(kLetters)));
    if (const auto reported = kReportedOnly.find(first); reported != kReportedOnly.end()) {
        report(line, reported->second);
        return 0;
    }
    switch (first) {
    case '&':
        languages_ = true;
        report(line, "processing languages");
        for (const std::string& entry : split(text.substr(1), ',')) {
            if (!knownLanguage(entry)) {
                report(line, "error: unknown language specified");
                out(kLanguageUsage);
                return 1;
            }
        }
        return 0;
    case '#':
        uid_ = uidIn(text);
        report(line, "processing header");
        return knownHeaderOptions(text) ? 0 : fail(line, "invalid option");
    case '=':
        report(line, "processing logo name");
        return isFile(source) ? 0 : fail(line, "file not found");
    case '*':
        report(line, "processing signature");
        out("Signatures directly from the pkg files are deprecated, ignoring\n");
        return 0;
    case '"': {
        report(line, "processing file");
        const std::string option = fileOption(text);
        if (option == "FN" || option == "FILENULL")
            return 0;
        return isFile(source) ? 0 : fail(line, "file not found");
    }
    case '{':
        return languageBlock(at);
    case '@':
        report(line, "processing embedded package file");
        return embedded(line, text);
    default:
        break;
    }
    if (word == "IF") {
        report(line, "processing IF block");
        return 0;
    }
    if (word == "ELSEIF" || word == "ELSE" || word == "ENDIF")
        return 0;
    out("unknown token '" + std::string(1, first) + "' (24)\n");
    return fail(line, "unknown line");
}

int LinuxMakesis::run() {
    const std::string text = packageText(readFile(pkg_));
    lines_ = split(text, '\n');
    out("Processing " + pkg_ + "...\n");
    for (size_t at = 0; at < lines_.size(); ++at) {
        if (const int code = handle(at))
            return code;
    }
    out("Generating SIS installation file...\n");
    if (!corruptEmbed_.empty()) {
        err("Bad input SIS file\n");
        err("Caught exception 0 in loading embedded SIS file " + corruptEmbed_ + "\n");
        out("error: Bad SIS file to embed\n");
        return 1;
    }
    const int fd = ::open(output_.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0) {
        err(output_ + ": " + std::strerror(errno) + "\n");
        out("error: Can't write to output SIS file\n");
        return 1;
    }
    ::close(fd);
    out("Created " + output_ + "\n");
    return finish(0, output_, sisBytes(uid_, text));
}

} // namespace

int makesisLinux(const std::vector<std::string>& args) {
    size_t at = 0;
    for (; at < args.size() && !args[at].empty() && (args[at][0] == '-' || args[at][0] == '/');
         ++at) {
        const std::string& arg = args[at];
        if (arg == "-d" || arg == "-p" || arg == "-t") {
            ++at;
        } else if (arg != "-v" && arg != "-h" && arg != "-s" && arg != "-c") {
            out("Bad parameter -t\n"); // what it says for a path taken for a switch
        }
    }
    if (at >= args.size()) {
        out(std::string(kBanner) + "error: no source file specified\n" + kUsage);
        return 1;
    }
    const std::string pkg = args[at];
    const std::string output =
        at + 1 < args.size() ? args[at + 1] : pkg.substr(0, pkg.rfind('.')) + ".sis";
    return LinuxMakesis(pkg, output).run();
}

} // namespace double_tool
