#include "buildengine/build_validator.h"

#include "model/tables.h"
#include "util/format.h"
#include "util/numbers.h"
#include "util/path.h"

#include <sys/stat.h>

namespace tb {

namespace {

// Per-language lists should match the language list; a short one counts as empty texts.
std::u16string_view textAt(const LocalizedText& texts, size_t index) {
    return index < texts.size() ? std::u16string_view(texts[index]) : std::u16string_view();
}

// The folder is a host path; a stored text may still end with a Windows separator.
bool isExistingFolder(std::u16string_view folder) {
    struct stat info {};
    return !folder.empty() && ::stat(toHostPath(folder).c_str(), &info) == 0 &&
           S_ISDIR(info.st_mode);
}

} // namespace

BuildValidator::BuildValidator(const Package& package, BuildOutputLog& log,
                               std::u16string_view packageFolder)
    : package_(package), log_(log), packageFolder_(packageFolder) {}

void BuildValidator::warn(std::u16string_view line) {
    log_.appendLine(line);
    ++warnings_;
}

void BuildValidator::fail(std::u16string_view line) {
    log_.appendLine(line);
    ++errors_;
}

bool BuildValidator::validate() {
    errors_ = 0;
    warnings_ = 0;
    log_.appendLine(u"Validating package...");

    checkNames(package_.names, u"Package");
    checkNames(package_.vendors, u"Vendor");
    if (package_.globalVendor.empty())
        warn(u"Warning, Global vendor name not set; this must be set in order to upgrade a "
             u"component");
    checkDependencies(package_.deviceDependencies,
                      u"Warning, Device dependency(0x%x) is missing a name for '%s'");
    checkDependencies(package_.packageDependencies,
                      u"Warning, Package dependency(0x%x) is missing a name for '%s'");
    checkOptions();
    checkOutput();
    checkSigning();

    log_.appendLine(u"");
    log_.appendLine(format(errors_ > 0 ? u"Validation failed: %d error(s), %d warning(s)"
                                       : u"Validation succeeded: %d error(s), %d warning(s)",
                           {errors_, warnings_}));
    log_.appendLine(u"");
    return errors_ == 0;
}

void BuildValidator::checkNames(const LocalizedText& names, std::u16string_view what) {
    for (size_t i = 0; i < package_.languages.size(); ++i) {
        if (textAt(names, i).empty())
            warn(u"Warning, no " + WideText(what) + u" name set for '" +
                 LanguageDisplayName(package_.languages[i]) + u"'");
    }
}

void BuildValidator::checkDependencies(const DependencyList& list, std::u16string_view pattern) {
    for (const auto& dependency : list) {
        if (!dependency)
            continue;
        for (size_t i = 0; i < package_.languages.size(); ++i) {
            if (textAt(dependency->names, i).empty())
                warn(
                    format(pattern, {dependency->uid, LanguageDisplayName(package_.languages[i])}));
        }
    }
}

void BuildValidator::checkOptions() {
    uint32_t optionNumber = 1;
    for (const InstallItem* item = package_.items.first; item;
         item = NextInPreOrder(item, nullptr)) {
        const auto* option = itemAs<OptionItem>(item);
        if (!option)
            continue;
        for (size_t i = 0; i < package_.languages.size(); ++i) {
            if (textAt(option->names, i).empty())
                warn(format(u"Warning, option(%d) is missing description for '%s'",
                            {optionNumber, LanguageDisplayName(package_.languages[i])}));
        }
        ++optionNumber;
    }
}

void BuildValidator::checkOutput() {
    const OutputSettings& output = package_.output;
    const WideText folder = OutputFolderPath(output, packageFolder_);
    if (folder.empty())
        fail(u"Error, no output directory specified");
    else if (!isExistingFolder(folder))
        fail(u"Error, can not find the output directory '" +
             (output.outputFolder.empty() ? folder : output.outputFolder) + u"'");

    if (output.outputName.empty())
        fail(u"Error, no output filename has been specified");
    else if (splitPath(output.outputName, kHostPathStyle).extension != u".sis")
        fail(u"Error, the output filename must have a '.sis' extension");
}

void BuildValidator::checkSigning() {
    const SigningSettings& signing = package_.signing;
    if (!signing.signPackage)
        return;
    if (signing.certificate.empty())
        fail(u"Error, no certificate has been specified");
    if (signing.privateKey.empty())
        fail(u"Error, no private key has been specified");
}

} // namespace tb
