// Whole builds with the stand-ins behaving as the Linux builds of the SDK tools (makesis 4.0,
// signsis on OpenSSL 3), one for each package of tests/data/linux_tools: the packages on
// which those tools were seen to succeed or fail, with what the user must read in the log.
#include "build_run_fixture.h"

#include "model/package_reader.h"

#include <filesystem>

namespace tb::test {
namespace {

struct Case {
    const char* package; // tests/data/linux_tools/<package>.pkg
    // Made in the package folder: "name" (a small file), "name/" (a folder) or
    // "name=sis:<uid>" (a SIS file with that UID) or "name=<content>".
    std::vector<std::string> files;
    uint32_t builtUid; // 0: the build fails
    // The log after "Building package..." and the languages and header lines, '@' standing for
    // the package folder.
    std::vector<std::string> log;
};

const std::string kNotSigned = "Warning, the package is not signed; it must be signed by a "
                               "developer certificate or by Symbian Signed before it can be "
                               "installed to a phone";

std::string sisFile(uint32_t uid) {
    std::string bytes;
    for (uint32_t word : {0x10201A7Au, 0u, uid, 0u})
        for (int i = 0; i < 4; ++i)
            bytes += char((word >> (8 * i)) & 0xFF);
    return bytes;
}

std::string replaceAll(std::string text, const std::string& what, const std::string& with) {
    for (size_t at = text.find(what); at != std::string::npos;
         at = text.find(what, at + with.size()))
        text.replace(at, what.size(), with);
    return text;
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

    ErrorCode load(const std::string& name, const std::string& text) {
        packageFile = dir.write(name + ".pkg", text);
        return LoadPackage(packageFile, package);
    }

    void makeFiles(const std::vector<std::string>& files) {
        for (const std::string& entry : files) {
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

    // The log after "Building package...", up to its first blank line when progressOnly, with
    // '@' for the package folder.
    std::vector<std::string> logAfterStart(bool progressOnly) const {
        const Lines all = lines();
        std::vector<std::string> out;
        for (auto at = std::find(all.begin(), all.end(), "Building package...");
             at != all.end() && ++at != all.end() && !(progressOnly && at->empty());)
            out.push_back(replaceAll(*at, dir.path().string(), "@"));
        return out;
    }

    ScopedEnv linux{"FAKE_TOOLS", "linux"};
    BuildConfiguration linuxSdk{
        SdkList{{u"Linux SDK", u"LinuxSDK", fromHostPath(dir.file("sdk")), true}}};
};

const std::vector<std::string> kDemoFiles = {
    "gfx/logo.png",
    "sdk/epoc32/release/gcce/urel/OrchardNotes.exe",
    "sdk/epoc32/data/z/resource/apps/OrchardNotes.rsc",
    "sdk/epoc32/data/z/private/10003a3f/import/apps/OrchardNotes_reg.rsc",
    "text/readme_English.txt",
    "text/readme_French.txt",
    "text/help_en.txt",
    "text/help_fr.txt",
    "text/sample.txt",
    "text/changes.txt"};

const std::vector<std::string> kKeys = {"keys/nopass.cer", "keys/nopass.key=key", "keys/pass.cer",
                                        "keys/pass.key=ENCRYPTED:Secr3t!"};

TEST_F(LinuxToolsBuild, EachSeenCaseGivesItsLog) {
    const std::string one = "Adding @/files/one.txt...", sign = "Signing package...",
                      sub = "Adding Package '@/embed/PeerSub.sis'...", logo = "Processing Logo...";
    const std::string notWritten = "Error, signsis did not write the signed package";
    const Case cases[] = {
        {"Demo",
         kDemoFiles,
         0xa0001234,
         {logo, "Adding @/sdk/epoc32/release/gcce/urel/OrchardNotes.exe...",
          "Adding @/sdk/epoc32/data/z/resource/apps/OrchardNotes.rsc...",
          "Adding @/sdk/epoc32/data/z/private/10003a3f/import/apps/OrchardNotes_reg.rsc...",
          "Adding Language dialog 'readme'...", "Adding Language file...",
          "Adding @/text/sample.txt...", "Adding @/text/changes.txt..."}},
        {"PeerNew", {}, 0x80000000, {}},
        {"Missing",
         {"files/one.txt", "files/three.txt"},
         0,
         {one, "Adding @/files/two.txt...", "Error, can not find file '@/files/two.txt'"}},
        // This makesis knows no pre-installed types.
        {"Preinstalled",
         {"files/one.txt"},
         0,
         {"Error, makesis reports 'invalid option' while processing the header"}},
        {"Embed",
         {"files/one.txt", "files/three.txt", "embed/PeerSub.sis=sis:A0009999"},
         0,
         {one, sub,
          "Error, UID mismatch; the UID in the SIS file(0xA0009999) is different from what is "
          "specified in the package(0xA0008888)"}},
        {"CorruptEmbed",
         {"files/one.txt", "embed/Corrupt.sis=not a SIS file"},
         0,
         {one, "Adding Package '@/embed/Corrupt.sis'...",
          "Error, failed to embed '@/embed/Corrupt.sis', the file is corrupt or it is not a SIS "
          "file"}},
        {"LogoMissing",
         {"files/one.txt"},
         0,
         {logo, "Error, can not find file '@/gfx/nologo.png'"}},
        // A PNG logo: the Windows tool wanted MBM, this one takes it.
        {"LogoBad", {"files/one.txt", "gfx/logo.png=\x89PNG"}, 0xA0001108, {logo, one}},
        // English South African is written as its number, which this makesis reads.
        {"Language",
         {"files/text_en.txt", "files/text_sa.txt"},
         0xA0001109,
         {"Adding Language file..."}},
        {"Options",
         {"files/one.txt", "files/two.txt", "files/three.txt"},
         0xA0001111,
         {one, "Adding @/files/two.txt...", "Adding @/files/three.txt..."}},
        // The signing tool names a missing certificate or key and ends with 0, writing nothing.
        {"SignMissingCert",
         {"files/one.txt", "keys/nopass.key"},
         0,
         {one, "", sign, "Error, can not find certificate '@/keys/does-not-exist.cer'",
          notWritten}},
        {"SignMissingKey",
         {"files/one.txt", "keys/nopass.cer"},
         0,
         {one, "", sign, "Error, can not find private key '@/keys/does-not-exist.key'",
          notWritten}},
        {"SignNoPass", {"files/one.txt", kKeys[0], kKeys[1]}, 0xA0001113, {one, "", sign}},
        {"SignPassOk", {"files/one.txt", kKeys[2], kKeys[3]}, 0xA0001114, {one, "", sign}},
        {"SignPassMissing",
         {"files/one.txt", kKeys[2], kKeys[3]},
         0,
         {one, "", sign, "Error, the private key requires a passphrase"}},
        {"SignPassWrong",
         {"files/one.txt", kKeys[2], kKeys[3]},
         0,
         {one, "", sign, "Error, invalid passphrase for the private key"}},
        // A folder stands in the output's place: permissions do not bind root.
        {"Readonly",
         {"files/one.txt", "out/Readonly.sis/"},
         0,
         {one, "Error, can not write the SIS file '@/out/Readonly.sis'; make sure that the output "
               "folder exists and that you have permission to write to it"}},
        // The Windows tool refused an embedded package with the package's own UID; this one
        // builds it.
        {"SameUid", {"files/one.txt", "embed/PeerSub.sis=sis:A0009999"}, 0xA0009999, {one, sub}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.package);
        const std::string text =
            ReadBytes(std::string(TB_TEST_DATA_DIR) + "/linux_tools/" + c.package + ".pkg");
        ASSERT_EQ(load(c.package, text), 0);
        makeFiles(c.files);
        package->output.outputFolder = fromHostPath(dir.file("out"));
        package->output.outputName = utf8ToWide(std::string(c.package) + ".sis");
        recorder.clear();
        build(linuxSdk);
        const std::vector<std::string> after = logAfterStart(false);
        std::vector<std::string> expected = {"Processing Languages...",
                                             "Processing General info..."};
        expected.insert(expected.end(), c.log.begin(), c.log.end());
        expected.push_back("");
        if (c.builtUid) {
            expected.push_back("Package was successfully built to '@/out/" +
                               std::string(c.package) + ".sis'");
            if (!package->signing.signPackage)
                expected.push_back(kNotSigned);
        } else {
            expected.push_back("Build failed");
        }
        EXPECT_EQ(after, expected);
        ASSERT_FALSE(recorder.all.empty());
        EXPECT_EQ(LastOf(recorder.all), c.builtUid ? "8002" : "8003");
        const std::string output = dir.file("out/" + std::string(c.package) + ".sis");
        const std::string sis =
            std::filesystem::is_regular_file(output) ? ReadBytes(output) : std::string();
        if (c.builtUid) {
            ASSERT_GE(sis.size(), 16u);
            EXPECT_EQ(sis.substr(8, 4), sisFile(c.builtUid).substr(8, 4));
        } else {
            EXPECT_TRUE(sis.empty());
        }
    }
}

// Condition blocks, null files and a signature line, as real projects write them: makesis takes
// every branch in, steps over the null file and ignores the signature line.
TEST_F(LinuxToolsBuild, ConditionsNullFilesAndSignatureLines) {
    ScopedEnv environment("FAKE_MAKESIS_ENV_FILE", dir.file("env"));
    ASSERT_EQ(load("Cond", ReadBytes(std::string(TB_TEST_DATA_DIR) + "/linux_tools/Cond.pkg")), 0);
    makeFiles(
        {"files/one.txt", "files/two.txt", "files/three.txt", "files/four.txt", "files/five.txt"});
    package->output.outputFolder = fromHostPath(dir.file("out"));
    package->output.outputName = u"Cond.sis";
    EXPECT_EQ(package->signing.privateKey, u"keys\\dev.key"); // kept, but not signing
    build(linuxSdk);
    EXPECT_EQ(logAfterStart(true),
              (std::vector<std::string>{"Processing Languages...", "Processing General info...",
                                        "Adding @/files/one.txt...", "Adding @/files/two.txt...",
                                        "Adding @/files/three.txt...", "Adding @/files/four.txt...",
                                        "Adding @/files/five.txt..."}));
    EXPECT_EQ(LastOf(recorder.all), "8002");
    EXPECT_EQ(recorder.items.size(), 5u);
    EXPECT_EQ(ReadBytes(dir.file("env")),
              "EPOCROOT=" + dir.file("sdk") + "/\nPLATFORM=gcce\nTARGET=urel\n");
}

} // namespace
} // namespace tb::test
