#include "cli/package_json.h"

#include "cli/json_writer.h"
#include "model/tables.h"

namespace tb {

namespace {

void writeChar(JsonWriter& json, const char* name, char16_t c) {
    json.key(name).value(std::u16string_view(&c, 1));
}

void writeDependency(JsonWriter& json, const Dependency& d) {
    json.beginObject();
    json.key("uid").value(int64_t(d.uid));
    json.key("names").stringArray(d.names);
    json.key("fromMajor").value(int64_t(d.fromMajor));
    json.key("fromMinor").value(int64_t(d.fromMinor));
    json.key("fromBuild").value(int64_t(d.fromBuild));
    json.key("toMajor").value(int64_t(d.toMajor));
    json.key("toMinor").value(int64_t(d.toMinor));
    json.key("toBuild").value(int64_t(d.toBuild));
    json.key("isRange").value(d.isRange);
    json.endObject();
}

void writeFilePart(JsonWriter& json, const FileItemBase& f) {
    json.key("target").value(std::u16string_view(f.target));
    json.key("mimeType").value(std::u16string_view(f.mimeType));
    writeChar(json, "drive", f.drive);
    json.key("fileType").value(int64_t(f.fileType));
    if (f.fileType == FileType::FN)
        json.key("nullFile").value(true);
    json.key("runOption").value(int64_t(f.runOption));
    json.key("runWaitEnd").value(f.runWaitEnd);
}

void writeItems(JsonWriter& json, const InstallItem* first);

void writeItem(JsonWriter& json, const InstallItem& item) {
    json.beginObject();
    json.key("kind").value(int64_t(item.kind));
    if (auto* f = itemAs<InstallFileItem>(&item)) {
        writeFilePart(json, *f);
        json.key("source").value(std::u16string_view(f->source));
    } else if (auto* lf = itemAs<InstallLanguageFileItem>(&item)) {
        writeFilePart(json, *lf);
        json.key("sources").stringArray(lf->sources);
    } else if (auto* p = itemAs<IncludePackageItem>(&item)) {
        json.key("uid").value(int64_t(p->uid));
        json.key("unconditional").value(p->unconditional);
        json.key("path").value(std::u16string_view(p->path));
    } else if (auto* lp = itemAs<IncludeLanguagePackageItem>(&item)) {
        json.key("uid").value(int64_t(lp->uid));
        json.key("unconditional").value(lp->unconditional);
        json.key("paths").stringArray(lp->paths);
    } else if (auto* d = itemAs<ShowDialogItem>(&item)) {
        json.key("name").value(std::u16string_view(d->name));
        json.key("textOption").value(int64_t(d->textOption));
        json.key("source").value(std::u16string_view(d->source));
    } else if (auto* ld = itemAs<ShowLanguageDialogItem>(&item)) {
        json.key("name").value(std::u16string_view(ld->name));
        json.key("textOption").value(int64_t(ld->textOption));
        json.key("sources").stringArray(ld->sources);
    } else if (auto* o = itemAs<OptionItem>(&item)) {
        json.key("names").stringArray(o->names);
    } else if (auto* b = itemAs<ConditionBranchItem>(&item)) {
        // The condition in the form it is written back in; none for ELSE.
        if (b->condition)
            json.key("condition").value(std::u16string_view(ConditionText(*b->condition)));
        else
            json.key("else").value(true);
    }
    if (item.firstChild) {
        json.key("children");
        writeItems(json, item.firstChild);
    }
    json.endObject();
}

void writeItems(JsonWriter& json, const InstallItem* first) {
    json.beginArray();
    for (const InstallItem* item = first; item; item = item->next)
        writeItem(json, *item);
    json.endArray();
}

} // namespace

std::string PackageToJson(const Package& p) {
    JsonWriter json;
    json.beginObject();
    json.key("uid").value(int64_t(p.uid));
    json.key("type").value(int64_t(p.type));
    json.key("names").stringArray(p.names);
    json.key("globalVendor").value(std::u16string_view(p.globalVendor));
    json.key("vendors").stringArray(p.vendors);
    json.key("compress").value(p.compress);
    json.key("headerOptions").stringArray(p.headerOptions);
    json.key("versionMajor").value(int64_t(p.versionMajor));
    json.key("versionMinor").value(int64_t(p.versionMinor));
    json.key("versionBuild").value(int64_t(p.versionBuild));

    json.key("logo").beginObject();
    json.key("present").value(p.logo.present);
    json.key("source").value(std::u16string_view(p.logo.source));
    json.key("mimeType").value(std::u16string_view(p.logo.mimeType));
    json.key("target").value(std::u16string_view(p.logo.target));
    writeChar(json, "drive", p.logo.drive);
    json.key("overrideMime").value(p.logo.overrideMime);
    json.endObject();

    json.key("properties").beginArray();
    for (const auto& property : p.properties) {
        json.beginObject();
        json.key("key").value(int64_t(property->key));
        json.key("value").value(int64_t(property->value));
        json.endObject();
    }
    json.endArray();

    json.key("languages").beginArray();
    for (uint32_t language : p.languages) {
        json.beginObject();
        json.key("number").value(int64_t(language));
        json.key("code").value(LanguageCode(language).value_or(u""));
        json.endObject();
    }
    json.endArray();

    json.key("deviceDependencies").beginArray();
    for (const auto& d : p.deviceDependencies)
        writeDependency(json, *d);
    json.endArray();
    json.key("packageDependencies").beginArray();
    for (const auto& d : p.packageDependencies)
        writeDependency(json, *d);
    json.endArray();

    json.key("items");
    writeItems(json, p.items.first);

    json.key("signing").beginObject();
    json.key("signPackage").value(p.signing.signPackage);
    json.key("passphrase").value(std::u16string_view(p.signing.passphrase));
    json.key("certificate").value(std::u16string_view(p.signing.certificate));
    json.key("privateKey").value(std::u16string_view(p.signing.privateKey));
    json.endObject();

    json.key("output").beginObject();
    json.key("autoIncrementVersion").value(p.output.autoIncrementVersion);
    json.key("outputFolder").value(std::u16string_view(p.output.outputFolder));
    json.key("outputName").value(std::u16string_view(p.output.outputName));
    json.endObject();

    json.endObject();
    return json.text();
}

} // namespace tb
