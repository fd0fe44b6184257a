#include "model/package_parser.h"

#include "model/build_settings_trailer.h"
#include "model/tables.h"
#include "util/numbers.h"
#include "util/text_convert.h"

#include <new>
#include <utility>

namespace tb {

using namespace SymbianLib;

namespace {

constexpr uint32_t kEnglish = 1;

} // namespace

// "C:\dir\file" gives drive 'C' and "\dir\file"; without a drive prefix the drive is the one
// chosen at install time. A bare file name is put under the root. An empty text changes nothing.
void SplitDeviceTarget(std::u16string_view text, char16_t& drive, WideText& target) {
    target.clear();
    if (text.empty())
        return;
    drive = u'!';
    if (text.size() >= 2 && text[1] == u':') {
        drive = text[0];
        text.remove_prefix(2);
    }
    if (text.empty())
        return;
    if (text.find_first_of(u"\\/") == std::u16string_view::npos)
        target.assign(1, u'\\');
    target.append(text);
}

PackageParser::PackageParser(std::u16string_view text) : text_(text), lexer_(text) {}

int32_t PackageParser::parse(std::unique_ptr<Package>& package) {
    package.reset();
    lexer_ = PackageLexer(text_);
    errorInfo_ = {};
    signature_ = {};
    blocks_.assign(1, Block());
    blocks_.reserve(kMaxBlockDepth + 1);
    try {
        advanceRaw();
        skipLineFeeds();
        packageFile();
    } catch (TParseError error) {
        package_.reset();
        return error;
    }
    package = std::move(package_);
    return 0;
}

// ---- Token cursor ----

void PackageParser::advance() {
    advanceRaw();
    skipLineFeeds();
}

void PackageParser::advanceRaw() {
    hasToken_ = lexer_.next(token_);
}

void PackageParser::skipLineFeeds() {
    while (hasToken_ && token_.isLineFeed()) {
        advanceRaw();
        ++errorInfo_.line;
    }
}

const PackageToken& PackageParser::need() {
    if (!current())
        fail(EUnexpectedEnd);
    return *current();
}

bool PackageParser::check(char16_t symbol) const {
    const PackageToken* token = current();
    return token && token->isSymbol(symbol);
}

bool PackageParser::testNext(char16_t symbol) {
    if (!check(symbol))
        return false;
    advance();
    return true;
}

void PackageParser::checkNext(char16_t symbol) {
    if (!need().isSymbol(symbol))
        fail(EUnexpectedToken, PackageToken::Symbol);
    advance();
}

WideText PackageParser::takeText() {
    WideText text(need().text);
    advance();
    return text;
}

WideText PackageParser::take(PackageToken::Kind kind, TParseError error) {
    if (need().kind != kind)
        fail(error, kind);
    return takeText();
}

// A number that does not fit its field fails like a missing one: it must not become 0.
uint32_t PackageParser::uid() {
    uint32_t value = 0;
    if (need().kind != PackageToken::Number || !parseUid(current()->text, value))
        fail(ENumberExpected, PackageToken::Number);
    advance();
    return value;
}

// ( uid )
uint32_t PackageParser::uidInParentheses() {
    checkNext(u'(');
    const uint32_t value = uid();
    checkNext(u')');
    return value;
}

int32_t PackageParser::number() {
    int32_t value = 0;
    if (need().kind != PackageToken::Number || !parseInt32Field(current()->text, value))
        fail(ENumberExpected, PackageToken::Number);
    advance();
    return value;
}

int32_t PackageParser::keyword(int32_t (*lookup)(std::u16string_view), TParseError error) {
    const PackageToken& token = need();
    const int32_t value = token.kind == PackageToken::Identifier ? lookup(token.text) : -1;
    if (value < 0)
        fail(error, PackageToken::Identifier);
    advance();
    return value;
}

void PackageParser::fail(TParseError error, int32_t expectedKind) {
    errorInfo_.expectedKind = expectedKind;
    errorInfo_.tokenText = current() ? WideText(current()->text) : WideText();
    throw error;
}

// ---- Top level ----

// Items and top-level lines in any order; every line that needs the package checks for it.
void PackageParser::packageFile() {
    for (;;) {
        itemRun();
        if (!current())
            break;
        topLevelLine();
    }
    if (!package_)
        fail(ENoPackage);
    applySignatureLine();
}

void PackageParser::topLevelLine() {
    const PackageToken& token = *current();
    if (token.kind == PackageToken::Identifier && FindTrailerKey(token.text))
        return trailerKeyLine();
    if (token.kind != PackageToken::Symbol)
        fail(EUnexpectedToken);
    switch (token.text[0]) {
    case u'&':
        return languagesLine();
    case u'*':
        return signatureLine();
    case u'#':
        return headerLine();
    case u'%':
        return vendorsLine();
    case u':':
        return globalVendorLine();
    case u'=':
        return logoLine();
    case u'+':
        return propertiesLine();
    case u'(':
        return dependencyLine(u')');
    case u'[':
        return dependencyLine(u']');
    default:
        fail(EUnexpectedToken);
    }
}

Package& PackageParser::createPackage(const std::vector<uint32_t>& languages) {
    package_ = CreatePackage(languages);
    if (!package_)
        throw std::bad_alloc();
    return *package_;
}

// A line that needs the package before any languages or header line gets one in English, as
// makesis assumes.
Package& PackageParser::needPackage() {
    return package_ ? *package_ : createPackage({kEnglish});
}

// & EN, FR, 48, EN(48) ...
void PackageParser::languagesLine() {
    if (package_)
        fail(ELanguagesRedefined);
    advance();
    std::vector<uint32_t> languages;
    do
        languages.push_back(language());
    while (testNext(u','));
    createPackage(languages);
}

// A code, a number, or CODE(n): the code's number plus n. The "(" has to follow on the same
// line, as a package dependency line may come right after the languages.
uint32_t PackageParser::language() {
    const PackageToken& token = need();
    int64_t number = 0;
    if (token.kind == PackageToken::Number) {
        number = languageNumber();
    } else if (token.kind == PackageToken::Identifier) {
        number = LanguageFromCode(token.text);
        if (number < 0)
            fail(EUnknownLanguage, PackageToken::Identifier);
        advanceRaw();
        const bool dialect = check(u'(');
        skipLineFeeds();
        if (dialect) {
            advance();
            number += languageNumber();
            checkNext(u')');
        }
    } else {
        fail(EIdentifierExpected, PackageToken::Identifier);
    }
    if (number < kFirstLanguage || number > kLastLanguage || !LanguageName(uint32_t(number)))
        fail(EUnknownLanguage);
    return uint32_t(number);
}

// Any number may stand here; one that does not even fit is as unknown as a reserved one.
int32_t PackageParser::languageNumber() {
    int32_t value = 0;
    if (need().kind != PackageToken::Number)
        fail(ENumberExpected, PackageToken::Number);
    if (!parseInt32Field(current()->text, value))
        fail(EUnknownLanguage, PackageToken::Number);
    advance();
    return value;
}

// # {names}, (uid), major, minor, build [, option ...]
void PackageParser::headerLine() {
    advance();
    Package& package = package_ ? *package_ : createPackage({kEnglish});
    package.names = nameList();
    checkNext(u',');
    package.uid = uidInParentheses();
    checkNext(u',');
    package.versionMajor = number();
    checkNext(u',');
    package.versionMinor = number();
    checkNext(u',');
    package.versionBuild = number();
    while (testNext(u','))
        headerOption();
}

// TYPE=keyword; NC / NOCOMPRESS turns compression off; every other option (SH, IU, RU, long
// forms, ...) is kept as written.
void PackageParser::headerOption() {
    if (need().kind != PackageToken::Identifier)
        fail(EIdentifierExpected, PackageToken::Identifier);
    const HeaderOption option = HeaderOptionFromKeyword(current()->text);
    if (option == HeaderOption::Type) {
        advance();
        checkNext(u'=');
        package_->type = PackageType(keyword(PackageTypeFromKeyword, EUnknownPackageType));
    } else if (option == HeaderOption::NoCompress) {
        advance();
        package_->compress = false;
    } else {
        package_->headerOptions.push_back(takeText());
    }
}

// % {vendor names}
void PackageParser::vendorsLine() {
    needPackage();
    advance();
    package_->vendors = nameList();
}

// : "vendor" (whatever token follows gives its text)
void PackageParser::globalVendorLine() {
    needPackage();
    advance();
    package_->globalVendor = takeText();
}

// = "source", "mime", "drive:target"
void PackageParser::logoLine() {
    PackageLogo& logo = needPackage().logo;
    advance();
    logo.present = true;
    logo.source = string();
    checkNext(u',');
    logo.mimeType = string();
    checkNext(u',');
    SplitDeviceTarget(string(), logo.drive, logo.target);
}

// + (key=value, ...)
void PackageParser::propertiesLine() {
    Package& package = needPackage();
    advance();
    checkNext(u'(');
    do {
        auto property = std::make_unique<PackageProperty>();
        property->key = number();
        checkNext(u'=');
        property->value = number();
        AddProperty(package.properties, std::move(property));
    } while (testNext(u','));
    checkNext(u')');
}

// (uid), version [~ version], {names}   for packages; [uid], ... for devices
void PackageParser::dependencyLine(char16_t close) {
    Package& package = needPackage();
    advance();
    auto dependency = CreateDependency(package.languages.size());
    if (!dependency)
        throw std::bad_alloc();
    dependency->uid = uid();
    checkNext(close);
    checkNext(u',');
    version(dependency->fromMajor, dependency->fromMinor, dependency->fromBuild);
    if (testNext(u'~')) {
        dependency->isRange = true;
        version(dependency->toMajor, dependency->toMinor, dependency->toBuild);
    }
    checkNext(u',');
    dependency->names = nameList();
    AddDependency(close == u')' ? package.packageDependencies : package.deviceDependencies,
                  std::move(dependency));
}

void PackageParser::version(int32_t& major, int32_t& minor, int32_t& build) {
    major = versionComponent();
    checkNext(u',');
    minor = versionComponent();
    checkNext(u',');
    build = versionComponent();
}

// A number, or * for any.
int32_t PackageParser::versionComponent() {
    if (testNext(u'*'))
        return -1;
    if (need().kind != PackageToken::Number)
        fail(EUnexpectedToken, PackageToken::Number);
    return number();
}

// A build-settings key from a comment. Keys ahead of the package are read and dropped.
void PackageParser::trailerKeyLine() {
    const TrailerKey& key = *FindTrailerKey(current()->text);
    advance();
    if (key.isFlag) {
        if (package_)
            ApplyTrailerKey(*package_, key, nullptr);
        return;
    }
    const WideText value = takeText();
    if (package_)
        ApplyTrailerKey(*package_, key, &value);
}

// * "key", "certificate" [, KEY="passphrase"]
void PackageParser::signatureLine() {
    advance();
    signature_.present = true;
    signature_.privateKey = string();
    checkNext(u',');
    signature_.certificate = string();
    if (!testNext(u','))
        return;
    if (need().kind != PackageToken::Identifier || !equalsIgnoreAsciiCase(current()->text, u"KEY"))
        fail(EUnexpectedToken, PackageToken::Identifier);
    advance();
    checkNext(u'=');
    signature_.passphrase = string();
}

void PackageParser::applySignatureLine() {
    SigningSettings& signing = package_->signing;
    if (!signature_.present || !signing.certificate.empty() || !signing.privateKey.empty() ||
        !signing.passphrase.empty())
        return;
    signing.privateKey = std::move(signature_.privateKey);
    signing.certificate = std::move(signature_.certificate);
    signing.passphrase = std::move(signature_.passphrase);
}

// { "text", ... } with exactly one string per package language.
LocalizedText PackageParser::nameList() {
    const size_t count = package_->languages.size();
    checkNext(u'{');
    LocalizedText names;
    for (size_t i = 0; i < count; ++i) {
        if (i > 0)
            checkNext(u',');
        names.push_back(string());
    }
    checkNext(u'}');
    return names;
}

} // namespace tb
