#include "editing/dependency_texts.h"

#include "editing/version_text.h"
#include "util/format.h"
#include "util/numbers.h"

namespace tb {

std::u16string_view DependencyKindText(DependencyKind kind) {
    return kind == DependencyKind::Package ? u"Package" : u"Device / Platform";
}

DependencyList& DependenciesOf(Package& package, DependencyKind kind) {
    return kind == DependencyKind::Package ? package.packageDependencies
                                           : package.deviceDependencies;
}

std::vector<DependencyRow> DependencyRows(Package& package) {
    std::vector<DependencyRow> rows;
    for (DependencyKind kind : {DependencyKind::DevicePlatform, DependencyKind::Package})
        for (const auto& dependency : DependenciesOf(package, kind))
            rows.push_back({dependency.get(), kind});
    return rows;
}

WideText VersionComponentText(int32_t component) {
    return component == kAnyVersion ? WideText(u"*") : intToText(component);
}

WideText DependencyVersionText(const Dependency& d) {
    const WideText from[] = {VersionComponentText(d.fromMajor), VersionComponentText(d.fromMinor),
                             VersionComponentText(d.fromBuild)};
    if (!d.isRange)
        return format(u"%s.%s.%s", {from[0], from[1], from[2]});
    const WideText to[] = {VersionComponentText(d.toMajor), VersionComponentText(d.toMinor),
                           VersionComponentText(d.toBuild)};
    return format(u"%s.%s.%s - %s.%s.%s", {from[0], from[1], from[2], to[0], to[1], to[2]});
}

std::optional<int32_t> ParseDependencyVersion(std::u16string_view text) {
    if (text.empty() || text == u"*")
        return kAnyVersion;
    return ParseVersionComponent(text);
}

std::optional<uint32_t> ParseDependencyUid(std::u16string_view text) {
    uint32_t value = 0;
    if (!parseUid(text, value))
        return std::nullopt;
    return value;
}

DependencyForm DependencyFormOf(const Dependency& d, DependencyKind kind, size_t language) {
    DependencyForm form;
    form.kind = kind;
    form.name = language < d.names.size() ? d.names[language] : WideText();
    form.uid = UidText(d.uid);
    form.range = d.isRange;
    const std::array<int32_t, 6> components = {d.fromMajor, d.fromMinor, d.fromBuild,
                                               d.toMajor,   d.toMinor,   d.toBuild};
    for (size_t i = 0; i < 6; ++i) {
        if (d.isRange)
            form.bounds[i] = VersionComponentText(components[i]);
        else if (i < 3)
            form.fixed[i] = VersionComponentText(components[i]);
    }
    return form;
}

std::variant<DependencyValues, DependencyProblem> ReadDependencyForm(const DependencyForm& form) {
    DependencyValues values;
    if (form.name.empty())
        return DependencyProblem{DependencyBox::Name, 0, kEnterDependencyName};
    if (form.name.find(u'"') != WideText::npos)
        return DependencyProblem{DependencyBox::Name, 0, kQuoteInDependencyName};
    values.name = form.name;
    std::optional<uint32_t> uid = ParseDependencyUid(form.uid);
    if (!uid)
        return DependencyProblem{DependencyBox::Uid, 0, kInvalidDependencyUid};
    values.uid = *uid;
    if (form.kind != DependencyKind::Package)
        return values;

    values.hasVersion = true;
    values.isRange = form.range;
    const DependencyBox box = form.range ? DependencyBox::Range : DependencyBox::Fixed;
    const size_t count = form.range ? form.bounds.size() : form.fixed.size();
    for (size_t i = 0; i < count; ++i) {
        std::optional<int32_t> component =
            ParseDependencyVersion(form.range ? form.bounds[i] : form.fixed[i]);
        if (!component)
            return DependencyProblem{box, i, kInvalidDependencyVersion};
        (i < 3 ? values.from[i] : values.to[i - 3]) = *component;
    }
    return values;
}

bool ApplyDependencyValues(Dependency& dependency, const DependencyValues& values,
                           size_t language) {
    bool changed = false;
    auto set = [&changed](auto& field, const auto& value) {
        if (field != value) {
            field = value;
            changed = true;
        }
    };
    if (language < dependency.names.size())
        set(dependency.names[language], values.name);
    set(dependency.uid, values.uid);
    if (values.hasVersion) {
        set(dependency.isRange, values.isRange);
        set(dependency.fromMajor, values.from[0]);
        set(dependency.fromMinor, values.from[1]);
        set(dependency.fromBuild, values.from[2]);
        set(dependency.toMajor, values.to[0]);
        set(dependency.toMinor, values.to[1]);
        set(dependency.toBuild, values.to[2]);
    }
    return changed;
}

} // namespace tb
