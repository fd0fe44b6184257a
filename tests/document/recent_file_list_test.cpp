#include "document/recent_file_list.h"

#include <gtest/gtest.h>

namespace tb {
namespace {

TEST(RecentFileEntryForm, ReadsFromTheRight) {
    EXPECT_EQ(ParseRecentFileEntry(u"C:\\a\\b.pkg:Application:129000000000000000"),
              (RecentFileEntry{u"C:\\a\\b.pkg", u"Application", 129000000000000000u}));
    const RecentFileEntry posix{u"/home/me/a:b/x:y.pkg", u"Add-on", 42};
    EXPECT_EQ(ParseRecentFileEntry(FormatRecentFileEntry(posix)), posix);
    EXPECT_EQ(ParseRecentFileEntry(u"/p.pkg::0x1F"), (RecentFileEntry{u"/p.pkg", u"", 31}));
    for (auto bad : {u"", u"/p.pkg", u"/p.pkg:Application", u":Application:1", u"/p:App:",
                     u"/p:App:12x", u"/p:App:-1", u"/p:App:0x", u"/p:App:99999999999999999999"})
        EXPECT_FALSE(ParseRecentFileEntry(bad)) << std::string(bad, bad + 3);
    EXPECT_FALSE(IsStorableRecentFileEntry({u"/p", u"A:B", 1}) ||
                 IsStorableRecentFileEntry({u"", u"A", 1}));
}

TEST(RecentFileList, KeepsFiveMostRecentFirstWithoutDuplicates) {
    RecentFileList list;
    for (int i = 1; i <= 6; ++i)
        list.add(u"/p" + WideText(1, char16_t(u'0' + i)), u"Application", i);
    // The paths in list order.
    auto paths = [&] {
        std::u16string out;
        for (size_t i = 0; i < list.size(); ++i)
            out += (i ? u" " : u"") + list[i].path;
        return out;
    };
    EXPECT_EQ(paths(), u"/p6 /p5 /p4 /p3 /p2"); // /p1 dropped

    list.add(u"/p4", u"Add-on", 100);
    ASSERT_EQ(list.size(), 5u);
    EXPECT_EQ(list[0], (RecentFileEntry{u"/p4", u"Add-on", 100}));
    EXPECT_EQ(paths(), u"/p4 /p6 /p5 /p3 /p2");

    list.add(u"/P4", u"Application", 101); // case differs: another file
    EXPECT_EQ(paths(), u"/P4 /p4 /p6 /p5 /p3");

    ASSERT_TRUE(list.markOpened(3, 200));
    EXPECT_EQ(list[0], (RecentFileEntry{u"/p5", u"Application", 200}));
    ASSERT_TRUE(list.remove(1));
    EXPECT_EQ(list[1].path, u"/p4");
    EXPECT_FALSE(list.remove(4));
    EXPECT_FALSE(list.markOpened(4));

    const uint64_t before = list[0].lastOpened;
    list.add(u"/p3", u"Application");
    EXPECT_GT(list[0].lastOpened, before); // stamped with the clock
}

TEST(RecentFileList, TakesStoredEntriesAsTheyAre) {
    std::vector<RecentFileEntry> stored;
    for (uint64_t i = 0; i < 7; ++i)
        stored.push_back({i == 2 ? u"/a" : u"/" + WideText(1, char16_t(u'a' + i)), u"T", i});
    const RecentFileList list(stored);
    ASSERT_EQ(list.size(), 5u);
    EXPECT_EQ(list[0], stored[0]);
    EXPECT_EQ(list[2], stored[3]); // the repeated /a went
    EXPECT_EQ(list[4], stored[5]);
}

} // namespace
} // namespace tb
