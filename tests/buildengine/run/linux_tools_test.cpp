// Whole builds with the stand-ins behaving as the Linux builds of the SDK tools (makesis 4.0,
// signsis on OpenSSL 3), one for each package of tests/data/linux_tools: the packages on
// which those tools were seen to succeed or fail, with what the user must read in the log.
#include "build_run_fixture.h"

#include "model/package_reader.h"

#include <filesystem>
#include <sstream>

namespace tb::test {
namespace {

struct Case {
    const char* package; // tests/data/linux_tools/<package>.pkg
    // Made in the package folder besides kCommonFiles, space-separated: "name" (a small file),
    // "name/" (a folder), "name=sis:<uid>" (a SIS file with that UID) or "name=<content>".
    const char* files;
    uint32_t builtUid; // 0: the build fails
    // The log after "Building package..." and the languages and header lines, '@' standing for
    // the package folder.
    std::vector<std::string> log;
};

// Every case has these; files/two.txt only where it is not the missing one.
const char kCommonFiles[] = "files/one.txt files/three.txt files/four.txt files/five.txt "
                            "files/text_en.txt files/text_sa.txt keys/nopass.cer "
                            "keys/nopass.key=key keys/pass.cer keys/pass.key=ENCRYPTED:Secr3t!";

std::string sisFile(uint32_t uid) {
    std::string bytes;
    for (uint32_t word : {0x10201A7Au, 0u, uid, 0u})
        for (int i = 0; i < 4; ++i)
            bytes += char((word >> (8 * i)) & 0xFF);
    return bytes;
}

class LinuxToolsBuild : public BuildRunTest {
protected:
    LinuxToolsBuild() {
        for (const char* tool : {"makesis", "signsis"}) {
            std::filesystem::create_directories(dir.path() / "sdk/epoc32/tools");
            std::filesystem::create_symlink(std::string(TB_TEST_SDK_DIR) + "/epoc32/tools/" + tool,
                                            dir.path() / "sdk/epoc32/tools" / tool);
        }
    }

    void makeFiles(const std::string& files) {
        std::istringstream entries(files);
        for (std::string entry; entries >> entry;) {
            const size_t equals = entry.find('=');
            const std::string name = entry.substr(0, equals);
            std::string content = equals == std::string::npos ? "x" : entry.substr(equals + 1);
            if (content.rfind("sis:", 0) == 0)
                content = sisFile(uint32_t(std::stoul(content.substr(4), nullptr, 16)));
            if (name.back() == '/')
                std::filesystem::create_directories(dir.path() / name);
            else
                dir.write(name, content);
        }
    }

    // The log after the header line, with '@' for the package folder.
    std::vector<std::string> logAfterHeader() const {
        const Lines all = lines();
        const std::string folder = dir.path().string();
        std::vector<std::string> out;
        for (auto at = std::find(all.begin(), all.end(), "Processing General info...");
             at != all.end() && ++at != all.end();) {
            out.push_back(*at);
            if (const size_t root = at->find(folder); root != std::string::npos)
                out.back().replace(root, folder.size(), "@");
        }
        return out;
    }

    ScopedEnv linux{"FAKE_TOOLS", "linux"};
    ScopedEnv environment{"FAKE_MAKESIS_ENV_FILE", dir.file("env")};
    BuildConfiguration linuxSdk{
        SdkList{{u"Linux SDK", u"LinuxSDK", fromHostPath(dir.file("sdk")), true}}};
};

TEST_F(LinuxToolsBuild, EachSeenCaseGivesItsLog) {
    const std::string one = "Adding @/files/one.txt...", two = "Adding @/files/two.txt...",
                      sign = "Signing package...", logo = "Processing Logo...",
                      sub = "Adding Package '@/embed/PeerSub.sis'...";
    const std::string notWritten = "Error, signsis did not write the signed package";
    const Case cases[] = {
        {"Demo",
         "gfx/logo.png sdk/epoc32/release/gcce/urel/OrchardNotes.exe "
         "sdk/epoc32/data/z/resource/apps/OrchardNotes.rsc "
         "sdk/epoc32/data/z/private/10003a3f/import/apps/OrchardNotes_reg.rsc "
         "text/readme_English.txt text/readme_French.txt text/help_en.txt text/help_fr.txt "
         "text/sample.txt text/changes.txt",
         0xa0001234,
         Lines{logo, "Adding @/sdk/epoc32/release/gcce/urel/OrchardNotes.exe...",
               "Adding @/sdk/epoc32/data/z/resource/apps/OrchardNotes.rsc...",
               "Adding @/sdk/epoc32/data/z/private/10003a3f/import/apps/OrchardNotes_reg.rsc...",
               "Adding Language dialog 'readme'...", "Adding Language file...",
               "Adding @/text/sample.txt...", "Adding @/text/changes.txt..."}},
        {"PeerNew", "", 0x80000000, Lines{}},
        {"Missing", "", 0, Lines{one, two, "Error, can not find file '@/files/two.txt'"}},
        // This makesis knows no pre-installed types.
        {"Preinstalled", "", 0,
         Lines{"Error, makesis reports 'invalid option' while processing the header"}},
        {"Embed", "embed/PeerSub.sis=sis:A0009999", 0,
         Lines{one, sub,
               "Error, UID mismatch; the UID in the SIS file(0xA0009999) is different from what is "
               "specified in the package(0xA0008888)"}},
        {"CorruptEmbed", "embed/Corrupt.sis=not-a-SIS-file", 0,
         Lines{
             one, "Adding Package '@/embed/Corrupt.sis'...",
             "Error, failed to embed '@/embed/Corrupt.sis', the file is corrupt or it is not a SIS "
             "file"}},
        {"LogoMissing", "", 0, Lines{logo, "Error, can not find file '@/gfx/nologo.png'"}},
        // A PNG logo: the Windows tool wanted MBM, this one takes it.
        {"LogoBad", "gfx/logo.png=\x89PNG", 0xA0001108, Lines{logo, one}},
        // English South African is written as its number, which this makesis reads.
        {"Language", "", 0xA0001109, Lines{"Adding Language file..."}},
        {"Options", "files/two.txt", 0xA0001111, Lines{one, two, "Adding @/files/three.txt..."}},
        // The signing tool names a missing certificate or key and ends with 0, writing nothing.
        {"SignMissingCert", "", 0,
         Lines{one, "", sign, "Error, can not find certificate '@/keys/does-not-exist.cer'",
               notWritten}},
        {"SignMissingKey", "", 0,
         Lines{one, "", sign, "Error, can not find private key '@/keys/does-not-exist.key'",
               notWritten}},
        {"SignNoPass", "", 0xA0001113, Lines{one, "", sign}},
        {"SignPassOk", "", 0xA0001114, Lines{one, "", sign}},
        {"SignPassMissing", "", 0,
         Lines{one, "", sign, "Error, the private key requires a passphrase"}},
        {"SignPassWrong", "", 0,
         Lines{one, "", sign, "Error, invalid passphrase for the private key"}},
        // Condition blocks: every branch is taken in; a null file and a signature line are
        // stepped over.
        {"Cond", "files/two.txt", 0xA0001200,
         Lines{one, two, "Adding @/files/three.txt...", "Adding @/files/four.txt...",
               "Adding @/files/five.txt..."}},
        // A folder stands in the output's place: permissions do not bind root.
        {"Readonly", "out/Readonly.sis/", 0,
         Lines{one,
               "Error, can not write the SIS file '@/out/Readonly.sis'; make sure that the output "
               "folder exists and that you have permission to write to it"}},
        // The Windows tool refused an embedded package with the package's own UID; this one
        // builds it.
        {"SameUid", "embed/PeerSub.sis=sis:A0009999", 0xA0009999, Lines{one, sub}},
    };
    makeFiles(kCommonFiles);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.package);
        const std::string name = c.package;
        packageFile =
            dir.write(name + ".pkg", ReadBytes(TB_TEST_DATA_DIR "/linux_tools/" + name + ".pkg"));
        ASSERT_EQ(LoadPackage(packageFile, package), 0);
        makeFiles(c.files);
        package->output = {false, fromHostPath(dir.file("out")), utf8ToWide(name + ".sis")};
        std::filesystem::remove(dir.file("env"));
        build(linuxSdk);
        std::vector<std::string> expected = c.log;
        expected.push_back("");
        expected.push_back(c.builtUid ? "Package was successfully built to '@/out/" + name + ".sis'"
                                      : "Build failed");
        if (c.builtUid && !package->signing.signPackage)
            expected.push_back(kNotSigned);
        EXPECT_EQ(logAfterHeader(), expected);
        EXPECT_EQ(LastOf(recorder.all), c.builtUid ? "8002" : "8003");
        const std::string output = dir.file("out/" + name + ".sis");
        const std::string sis = std::filesystem::is_regular_file(output) ? ReadBytes(output) : "";
        EXPECT_EQ(sis.substr(0, 12), c.builtUid ? sisFile(c.builtUid).substr(0, 12) : "");
        // The SDK's settings reach makesis, for its own expansion of the macros.
        EXPECT_EQ(ReadBytes(dir.file("env")),
                  "EPOCROOT=" + dir.file("sdk") + "/\nPLATFORM=gcce\nTARGET=urel\n");
    }
}

} // namespace
} // namespace tb::test
