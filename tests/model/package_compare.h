#pragma once

#include "model/package.h"
#include "model/package_reader.h"
#include "util/format.h"
#include "util/text_convert.h"

#include <gtest/gtest.h>

#include <string>

namespace tb::test {

// Every field of a package (dialog names included) as text, one line per record and per item,
// items indented by depth. Equal descriptions mean equal models; gtest diffs unequal ones.
inline std::string Text(const WideText& text) {
    return wideToUtf8(text);
}

inline std::string Texts(const LocalizedText& texts) {
    std::string out;
    for (size_t i = 0; i < texts.size(); ++i)
        out += (i ? "|" : "") + Text(texts[i]);
    return out;
}

inline std::string Hex(uint32_t value) {
    return Text(format(u"0x%x", {value}));
}

inline std::string DescribeItems(const Package& package) {
    static const char* const kFileTypes[] = {"FF", "FR", "FM", "FT", "FN"};
    static const char* const kRunOptions[] = {"RI", "RR", "RB"};
    std::string out;
    for (const InstallItem* item = package.items.first; item;
         item = NextInPreOrder(item, nullptr)) {
        if (item->kind == InstallItemKind::ConditionBlock)
            continue; // its branches stand for it
        for (const InstallItem* up = item->parent; up; up = up->parent)
            if (up->kind != InstallItemKind::ConditionBlock)
                out += "  ";
        if (auto* file = itemAs<FileItemBase>(item)) {
            auto* single = itemAs<InstallFileItem>(item);
            out += (single ? "file " + Text(single->source)
                           : "langfile " + Texts(itemAs<InstallLanguageFileItem>(item)->sources)) +
                   " -> " + Text(WideText(1, file->drive)) + ":" + Text(file->target) + " " +
                   kFileTypes[int(file->fileType)] + "/" + kRunOptions[int(file->runOption)] +
                   (file->runWaitEnd ? "/wait" : "/nowait") +
                   (file->mimeType.empty() ? "" : " " + Text(file->mimeType));
        } else if (auto* dialog = itemAs<DialogItemBase>(item)) {
            auto* single = itemAs<ShowDialogItem>(item);
            out += (single ? "dialog " + Text(single->source)
                           : "langdialog " + Texts(itemAs<ShowLanguageDialogItem>(item)->sources)) +
                   " name=" + Text(dialog->name) +
                   " text=" + std::to_string(int(dialog->textOption));
        } else if (auto* sis = itemAs<IncludePackageItem>(item)) {
            out += "sis " + Text(sis->path) + " uid=" + Hex(sis->uid) +
                   (sis->unconditional ? " always" : " if-missing");
        } else if (auto* sis = itemAs<IncludeLanguagePackageItem>(item)) {
            out += "langsis " + Texts(sis->paths) + " uid=" + Hex(sis->uid) +
                   (sis->unconditional ? " always" : " if-missing");
        } else if (auto* option = itemAs<OptionItem>(item)) {
            out += "option " + Texts(option->names);
        } else if (auto* branch = itemAs<ConditionBranchItem>(item)) {
            // The branches stand for their block: "if", "elseif" or "else" with the condition.
            out += branch->condition ? std::string(branch->previous ? "elseif " : "if ") +
                                           Text(ConditionText(*branch->condition))
                                     : "else";
        } else {
            out += "options";
        }
        out += "\n";
    }
    return out;
}

inline std::string Describe(const Package& p) {
    auto n = [](auto value) { return std::to_string(value); };
    std::string out;
    for (uint32_t language : p.languages)
        out += n(language) + " ";
    out += "\nheader " + Texts(p.names) + " uid=" + Hex(p.uid) + " type=" + n(int(p.type)) +
           " version=" + n(p.versionMajor) + "." + n(p.versionMinor) + "." + n(p.versionBuild) +
           " compress=" + n(p.compress) + " options=" + Texts(p.headerOptions) + "\nvendors " +
           Texts(p.vendors) + " : " + Text(p.globalVendor) + "\n";
    const PackageLogo& logo = p.logo;
    out += "logo " + n(logo.present) + " " + Text(logo.source) + " " + Text(logo.mimeType) + " " +
           Text(WideText(1, logo.drive)) + ":" + Text(logo.target) + " " + n(logo.overrideMime) +
           "\n";
    for (const auto& property : p.properties)
        out += "property " + n(property->key) + "=" + n(property->value) + "\n";
    for (const auto* list : {&p.deviceDependencies, &p.packageDependencies})
        for (const auto& d : *list)
            out += (list == &p.deviceDependencies ? "device " : "package ") + Hex(d->uid) + " " +
                   n(d->fromMajor) + "." + n(d->fromMinor) + "." + n(d->fromBuild) +
                   (d->isRange ? "~" : "/") + n(d->toMajor) + "." + n(d->toMinor) + "." +
                   n(d->toBuild) + " " + Texts(d->names) + "\n";
    out += "signing " + n(p.signing.signPackage) + " " + Text(p.signing.certificate) + " " +
           Text(p.signing.privateKey) + " " + Text(p.signing.passphrase) + "\noutput " +
           n(p.output.autoIncrementVersion) + " " + Text(p.output.outputFolder) + " " +
           Text(p.output.outputName) + "\n";
    return out + DescribeItems(p);
}

// A package of tests/data/pkg; an empty one, and a failure, when it does not load.
inline std::unique_ptr<Package> LoadSample(const std::string& name) {
    std::unique_ptr<Package> package;
    EXPECT_EQ(LoadPackage(std::string(TB_TEST_DATA_DIR "/pkg/") + name, package), 0) << name;
    return package ? std::move(package) : CreatePackage({});
}

} // namespace tb::test
