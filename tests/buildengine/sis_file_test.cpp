#include "buildengine/sis_file.h"

#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <string>

namespace tb {
namespace {

TEST(ReadSisUid, ThirdLittleEndianWordOfTheHeader) {
    test::TempDir dir;
    const std::string header = std::string(8, '\0') + "\x78\x56\x34\x12" + "\xFF\xFF\xFF\xFF";
    uint32_t uid = 7;
    EXPECT_EQ(ReadSisUid(dir.write("short.sis", header.substr(0, 15)), uid), kErrorNotSisFile);
    EXPECT_EQ(ReadSisUid(dir.file("missing.sis"), uid), err::kNotFound);
    EXPECT_EQ(ReadSisUid(dir.path().string(), uid), err::kAccessDenied);
    EXPECT_EQ(uid, 7u) << "a failure leaves the UID as it was";
    EXPECT_EQ(ReadSisUid(dir.write("a.sis", header + "more"), uid), err::kOk);
    EXPECT_EQ(uid, 0x12345678u);
}

} // namespace
} // namespace tb
