#pragma once

#include "buildengine/build_output_log.h"
#include "model/package.h"

#include <cstdint>
#include <string_view>

namespace tb {

// Checks a package for omissions before a build and writes one log line per finding, then a
// summary. Warnings never stop a build; any error does.
class BuildValidator {
public:
    // packageFolder: the package file's folder (a host folder), where an empty output folder
    // builds.
    BuildValidator(const Package& package, BuildOutputLog& log, std::u16string_view packageFolder);

    // Runs every check with fresh counters; true when no error was found.
    bool validate();

    uint32_t errors() const { return errors_; }
    uint32_t warnings() const { return warnings_; }

private:
    void warn(std::u16string_view line);
    void fail(std::u16string_view line);

    void checkNames(const LocalizedText& names, std::u16string_view what);
    void checkDependencies(const DependencyList& list, std::u16string_view pattern);
    void checkOptions();
    void checkOutput();
    void checkSigning();

    const Package& package_;
    BuildOutputLog& log_;
    const WideText packageFolder_;
    uint32_t errors_ = 0;
    uint32_t warnings_ = 0;
};

} // namespace tb
