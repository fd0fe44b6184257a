#include "editing/dependency_texts.h"

#include <gtest/gtest.h>

#include <optional>
#include <variant>

namespace tb {
namespace {

constexpr int32_t any = kAnyVersion;

Dependency Versioned(std::array<int32_t, 3> from, std::array<int32_t, 3> to, bool range) {
    Dependency d;
    d.fromMajor = from[0], d.fromMinor = from[1], d.fromBuild = from[2];
    d.toMajor = to[0], d.toMinor = to[1], d.toBuild = to[2];
    d.isRange = range;
    return d;
}

TEST(DependencyTextsTest, VersionColumnShowsNumbersAndWildcards) {
    const struct {
        Dependency dependency;
        const char16_t* text;
    } cases[] = {
        {Versioned({1, 0, any}, {any, any, any}, false), u"1.0.*"},
        {Versioned({1, 0, 0}, {2, any, any}, true), u"1.0.0 - 2.*.*"},
        {Versioned({any, any, any}, {any, any, any}, false), u"*.*.*"},
        {Versioned({3, 1, 4}, {9, 9, 9}, false), u"3.1.4"}, // no range: no to-version
    };
    for (const auto& c : cases)
        EXPECT_EQ(DependencyVersionText(c.dependency), c.text);
}

DependencyForm PackageForm() {
    DependencyForm form;
    form.kind = DependencyKind::Package;
    form.name = u"Qt";
    form.uid = u"0x2000AFDE";
    return form;
}

std::optional<DependencyProblem> ProblemOf(const DependencyForm& form) {
    auto read = ReadDependencyForm(form);
    if (auto* problem = std::get_if<DependencyProblem>(&read))
        return *problem;
    return std::nullopt;
}

TEST(DependencyTextsTest, FormChecksInOrderAndPointAtTheBox) {
    const struct {
        void (*change)(DependencyForm&);
        DependencyBox box;
        size_t index;
        std::u16string_view message;
    } cases[] = {
        {[](DependencyForm& f) { f.name.clear(), f.uid.clear(); }, DependencyBox::Name, 0,
         kEnterDependencyName},
        {[](DependencyForm& f) { f.name = u"Q\"t", f.uid.clear(); }, DependencyBox::Name, 0,
         kQuoteInDependencyName},
        {[](DependencyForm& f) { f.uid = u"0x"; }, DependencyBox::Uid, 0, kInvalidDependencyUid},
        {[](DependencyForm& f) { f.uid = u"0x1FFFFFFFF"; }, DependencyBox::Uid, 0,
         kInvalidDependencyUid},
        {[](DependencyForm& f) { f.fixed[1] = u"1a", f.fixed[2] = u"x"; }, DependencyBox::Fixed, 1,
         kInvalidDependencyVersion},
        {[](DependencyForm& f) { f.range = true, f.bounds[4] = u"4294967295"; },
         DependencyBox::Range, 4, kInvalidDependencyVersion},
    };
    for (const auto& c : cases) {
        DependencyForm form = PackageForm();
        c.change(form);
        std::optional<DependencyProblem> problem = ProblemOf(form);
        ASSERT_TRUE(problem);
        EXPECT_EQ(problem->box, c.box);
        EXPECT_EQ(problem->index, c.index);
        EXPECT_EQ(problem->message, c.message);
    }

    // The form not chosen is not read; a device or platform reads none.
    DependencyForm fixed = PackageForm();
    fixed.bounds[0] = u"bad";
    EXPECT_FALSE(ProblemOf(fixed));
    DependencyForm device = PackageForm();
    device.kind = DependencyKind::DevicePlatform;
    device.fixed[0] = u"bad";
    device.range = true;
    device.bounds[0] = u"bad";
    auto values = std::get<DependencyValues>(ReadDependencyForm(device));
    EXPECT_FALSE(values.hasVersion);
}

} // namespace
} // namespace tb
