// The number boxes of the header, the dependency dialog and the property dialog side by side:
// each reads its own range, and none ever turns a text into another value. With them the
// dependency dialog's form and the output folder box.
#include "editing/dependency_texts.h"
#include "editing/output_folder.h"
#include "editing/property_rules.h"
#include "editing/version_text.h"

#include "util/text_convert.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <optional>
#include <variant>

namespace tb {
namespace {

constexpr int64_t X = INT64_MIN; // refused
constexpr int64_t any = kAnyVersion, max = 2147483647, umax = 4294967295;

// Each box's reading of a text: version, UID, property, dependency version, dependency UID.
std::array<int64_t, 5> Read(std::u16string_view text) {
    const auto read = [](auto value) { return value ? int64_t(*value) : X; };
    return {read(ParseVersionComponent(text)), read(ParseUidText(text)),
            read(ParsePropertyNumber(text)), read(ParseDependencyVersion(text)),
            read(ParseDependencyUid(text))};
}

TEST(NumberBoxesTest, EachBoxTakesItsRangeAndNothingWraps) {
    const std::pair<const char16_t*, std::array<int64_t, 5>> cases[] = {
        {u"", {0, X, X, any, X}},
        {u"*", {X, X, X, any, X}},
        {u"0", {0, X, 0, 0, 0}}, // no UID is 0
        {u"007", {7, 7, 7, 7, 7}},
        {u"0x1F", {31, 31, 31, 31, 31}},
        {u"0X1f", {31, 31, 31, 31, 31}},
        {u"2147483647", {max, max, max, max, max}},
        {u"2147483648", {X, max + 1, X, X, max + 1}},
        {u"0x80000000", {X, max + 1, X, X, max + 1}},
        {u"4294967295", {X, umax, X, X, umax}},
        {u"-2147483648", {X, X, -max - 1, X, X}},
    };
    for (const auto& [text, values] : cases)
        EXPECT_EQ(Read(text), values) << wideToUtf8(text);
    // Refused by every box.
    for (const char16_t* text : {u"**", u"4294967296", u"0x100000000", u"99999999999999999999",
                                 u"+1", u" 1", u"1a", u"A0001234", u"0x", u"0xG"})
        EXPECT_EQ(Read(text), (std::array{X, X, X, X, X})) << wideToUtf8(text);
    EXPECT_EQ(UidText(0x1), u"0x1") << "shown without leading zeros";
}

// The texts with wildcards and ranges are DependenciesViewTest's.
TEST(DependencyTextsTest, VersionColumnShowsNoToVersionWithoutRange) {
    Dependency d;
    d.fromMajor = 3, d.fromMinor = 1, d.fromBuild = 4;
    d.toMajor = 9;
    EXPECT_EQ(DependencyVersionText(d), u"3.1.4");
}

TEST(DependencyTextsTest, FormChecksInOrderAndPointAtTheBox) {
    const auto read = [](void (*change)(DependencyForm&)) {
        DependencyForm form;
        form.kind = DependencyKind::Package;
        form.name = u"Qt";
        form.uid = u"0x2000AFDE";
        change(form);
        return ReadDependencyForm(form);
    };
    using B = DependencyBox;
    constexpr std::u16string_view kBadVersion = kInvalidDependencyVersion;
    const struct {
        void (*change)(DependencyForm&);
        DependencyBox box;
        size_t index;
        std::u16string_view message;
    } cases[] = {
        {[](auto& f) { f.name.clear(), f.uid.clear(); }, B::Name, 0, kEnterDependencyName},
        {[](auto& f) { f.name = u"Q\"t", f.uid.clear(); }, B::Name, 0, kQuoteInDependencyName},
        {[](auto& f) { f.uid = u"0x1FFFFFFFF"; }, B::Uid, 0, kInvalidDependencyUid},
        {[](auto& f) { f.fixed[1] = u"1a", f.fixed[2] = u"x"; }, B::Fixed, 1, kBadVersion},
        {[](auto& f) { f.range = true, f.bounds[4] = u"4294967295"; }, B::Range, 4, kBadVersion},
    };
    for (const auto& c : cases) {
        const auto result = read(c.change);
        const auto* problem = std::get_if<DependencyProblem>(&result);
        ASSERT_TRUE(problem) << int(c.box) << c.index;
        EXPECT_EQ(std::tuple(problem->box, problem->index, problem->message),
                  std::tuple(c.box, c.index, c.message));
    }
    // The form not chosen is not read; a device or platform reads none.
    EXPECT_TRUE(std::holds_alternative<DependencyValues>(
        read([](DependencyForm& f) { f.bounds[0] = u"bad"; })));
    const auto device = std::get<DependencyValues>(read([](DependencyForm& f) {
        f.kind = DependencyKind::DevicePlatform;
        f.fixed[0] = u"bad";
        f.range = true;
        f.bounds[0] = u"bad";
    }));
    EXPECT_FALSE(device.hasVersion);
}

TEST(OutputFolderTest, ThePackagesFolderIsStoredEmptyACustomOneAsChosen) {
    constexpr std::u16string_view kPackageFolder = u"/home/me/Work/App";
    const std::tuple<bool, const char16_t*, const char16_t*> cases[] = {
        {false, u"/elsewhere", u""}, // "Project folder" whatever the box holds
        {true, u"/home/me/Work/App", u""},
        {true, u"/home/me/Work/App//", u""},
        {true, u"\\home\\me\\Work\\App\\", u""},
        {true, u"", u""},
        {true, u"/home/me/Work/App/out", u"/home/me/Work/App/out"},
        {true, u"/home/me/Work/app", u"/home/me/Work/app"}, // folder names keep their case
        {true, u"/home/me/Work", u"/home/me/Work"},
        {true, u"D:\\Builds\\", u"D:\\Builds\\"},
    };
    for (auto [custom, text, stored] : cases) {
        SCOPED_TRACE(std::to_string(custom) + " " + wideToUtf8(text));
        EXPECT_EQ(StoredOutputFolder(custom, text, kPackageFolder), stored);
        // A folder chosen counts as the package's exactly when it is stored empty.
        EXPECT_EQ(custom && IsPackageOutputFolder(text, kPackageFolder),
                  custom && WideText(stored).empty());
    }
    EXPECT_TRUE(IsPackageOutputFolder(u"/", u"/"));
    EXPECT_FALSE(IsPackageOutputFolder(u"/out", u""));
}

} // namespace
} // namespace tb
