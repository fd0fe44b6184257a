#include "model/build_settings_trailer.h"

namespace tb {

namespace {

constexpr std::array<TrailerKey, kTrailerKeyCount> kTrailerKeys = {{
    {u"auto_increment_version", true, TrailerField::AutoIncrementVersion},
    {u"override_logo_mime", true, TrailerField::OverrideLogoMime},
    {u"output_name", false, TrailerField::OutputName},
    {u"output_folder", false, TrailerField::OutputFolder},
    {u"sign_package", true, TrailerField::SignPackage},
    {u"certificate", false, TrailerField::Certificate},
    {u"private_key", false, TrailerField::PrivateKey},
    {u"passphrase", false, TrailerField::Passphrase},
}};

// All four lines are 35 characters wide.
constexpr std::u16string_view kBanner = u"\r\n"
                                        u";---------------------------------;\r\n"
                                        u"; Tinderbridge specific options   ;\r\n"
                                        u"; Must be placed last in the file ;\r\n"
                                        u";---------------------------------;\r\n";

} // namespace

const std::array<TrailerKey, kTrailerKeyCount>& TrailerKeys() { return kTrailerKeys; }

const TrailerKey* FindTrailerKey(std::u16string_view word) {
    for (const TrailerKey& key : kTrailerKeys)
        if (key.word == word)
            return &key;
    return nullptr;
}

bool* TrailerFlag(Package& package, const TrailerKey& key) {
    switch (key.field) {
    case TrailerField::AutoIncrementVersion:
        return &package.output.autoIncrementVersion;
    case TrailerField::OverrideLogoMime:
        return &package.logo.overrideMime;
    case TrailerField::SignPackage:
        return &package.signing.signPackage;
    default:
        return nullptr;
    }
}

const bool* TrailerFlag(const Package& package, const TrailerKey& key) {
    return TrailerFlag(const_cast<Package&>(package), key);
}

WideText* TrailerText(Package& package, const TrailerKey& key) {
    switch (key.field) {
    case TrailerField::OutputName:
        return &package.output.outputName;
    case TrailerField::OutputFolder:
        return &package.output.outputFolder;
    case TrailerField::Certificate:
        return &package.signing.certificate;
    case TrailerField::PrivateKey:
        return &package.signing.privateKey;
    case TrailerField::Passphrase:
        return &package.signing.passphrase;
    default:
        return nullptr;
    }
}

const WideText* TrailerText(const Package& package, const TrailerKey& key) {
    return TrailerText(const_cast<Package&>(package), key);
}

void ApplyTrailerKey(Package& package, const TrailerKey& key, const WideText* value) {
    if (bool* flag = TrailerFlag(package, key))
        *flag = true;
    else if (WideText* text = TrailerText(package, key); text && value)
        *text = *value;
}

void WriteTrailer(const Package& package, WideText& text) {
    text.append(kBanner);
    for (const TrailerKey& key : kTrailerKeys) {
        if (const bool* flag = TrailerFlag(package, key)) {
            if (!*flag)
                continue;
            text.append(u"; ").append(key.word);
        } else if (const WideText* value = TrailerText(package, key)) {
            text.append(u"; ").append(key.word).append(u" \"").append(*value).append(u"\"");
        }
        text.append(u"\r\n");
    }
}

} // namespace tb
