#include "build/helper_process.h"
#include "build/output_decoder.h"

#include <gtest/gtest.h>

namespace tb {
namespace {

TEST(OutputDecoder, KeepsACharacterCutBetweenPieces) {
    OutputDecoder decoder("UTF-8");
    const std::string text = "caf\xC3\xA9 \xF0\x9F\x98\x80!"; // é and a four-byte emoji
    WideText out;
    for (char c : text)
        out += decoder.decode(std::string_view(&c, 1));
    out += decoder.finish();
    EXPECT_EQ(out, u"caf\u00E9 \U0001F600!");

    // A cut sequence at the very end becomes one replacement character.
    EXPECT_EQ(decoder.decode("a\xC3"), u"a");
    EXPECT_EQ(decoder.finish(), u"\uFFFD");
}

TEST(HelperProcess, MissingProgramAndExitStatus) {
    HelperProcess missing;
    EXPECT_EQ(missing.start("/nonexistent/TBBuildHelper", {}), err::kNotFound);

    HelperProcess shell;
    ASSERT_EQ(shell.start("/bin/sh", {"-c", "echo \"$TB_X\" >&2; read x; kill -9 $$"},
                          {"TB_X=from parent"}),
              err::kOk);
    shell.waitForExit();
    std::string out;
    while (shell.readAvailable(out) == HelperProcess::ReadResult::Open) {
    }
    EXPECT_EQ(out, "from parent\n"); // stderr on the pipe; stdin at its end at once
    EXPECT_EQ(shell.exitStatus().kind, ProcessExit::Kind::Signalled);
    EXPECT_FALSE(shell.exitStatus().succeeded());
}

} // namespace
} // namespace tb
