// Each input is a package file: byte order mark detection and decoding, tokenizer and parser run
// as for Open. Whatever loads must also survive the writer: its text has to read back, and
// writing that again has to give the same text. The input is also tried as a condition typed
// in the editor: one that reads must read back from its written form into the same tree.
#include "model/condition_parser.h"
#include "model/package_reader.h"
#include "model/package_writer.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

namespace {

struct ScratchFile {
    std::string folder;
    std::string path;

    ScratchFile() {
        const char* tmp = std::getenv("TMPDIR");
        folder = std::string(tmp && *tmp ? tmp : "/tmp") + "/tb_fuzz_XXXXXX";
        if (!mkdtemp(folder.data()))
            std::abort();
        path = folder + "/input.pkg";
    }
    ~ScratchFile() {
        std::remove(path.c_str());
        rmdir(folder.c_str());
    }
};

ScratchFile& scratch() {
    static ScratchFile file;
    return file;
}

void check(bool condition) {
    if (!condition)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string& path = scratch().path;
    FILE* file = std::fopen(path.c_str(), "wb");
    check(file != nullptr);
    check(size == 0 || std::fwrite(data, 1, size, file) == size);
    check(std::fclose(file) == 0);

    std::u16string typed;
    for (size_t i = 0; i < size; ++i)
        typed += char16_t(data[i]);
    tb::Condition condition;
    tb::WideText message;
    if (tb::ParseConditionText(typed, condition, message)) {
        tb::Condition again;
        check(tb::ParseConditionText(tb::ConditionText(*condition), again, message));
        check(tb::EqualConditions(*condition, *again));
    }

    std::unique_ptr<tb::Package> package;
    const tb::ErrorCode result = tb::LoadPackage(path, package);
    check((result == 0) == (package != nullptr));
    if (!package)
        return 0;

    const tb::WideText text = tb::PackageText(*package);
    std::unique_ptr<tb::Package> again;
    check(tb::ParsePackageText(text, again) == 0);
    check(tb::PackageText(*again) == text);
    return 0;
}
