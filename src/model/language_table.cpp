#include "model/tables.h"

#include "util/numbers.h"
#include "util/text_convert.h"

#include <array>

namespace tb {

namespace {

struct LanguageEntry {
    std::u16string_view code; // empty: number not in use
    std::u16string_view name;
};

// Indexed by language number. 48 is written as its number: makesis knows no code of its own
// for it, and its SF means Swiss French.
constexpr std::array<LanguageEntry, kLastLanguage + 1> kLanguages = {{
    {},
    {u"EN", u"English"},
    {u"FR", u"French"},
    {u"GE", u"German"},
    {u"SP", u"Spanish"},
    {u"IT", u"Italian"},
    {u"SW", u"Swedish"},
    {u"DA", u"Danish"},
    {u"NO", u"Norwegian"},
    {u"FI", u"Finnish"},
    {u"AM", u"American"},
    {u"SF", u"Swiss French"},
    {u"SG", u"Swiss German"},
    {u"PO", u"Portugese"},
    {u"TU", u"Turkish"},
    {u"IC", u"Icelandic"},
    {u"RU", u"Russian"},
    {u"HU", u"Hungarian"},
    {u"DU", u"Dutch"},
    {u"BL", u"Belgian Flemish"},
    {u"AU", u"Australian"},
    {u"BF", u"Belgian French"},
    {u"AS", u"Austrian"},
    {u"NZ", u"New Zealand"},
    {u"IF", u"International French"},
    {u"CS", u"Czech"},
    {u"SK", u"Slovak"},
    {u"PL", u"Polish"},
    {u"SL", u"Slovenian"},
    {u"TC", u"Chinese Taiwan"},
    {u"HK", u"Chinese Hong Kong"},
    {u"ZH", u"Chinese PRC"},
    {u"JA", u"Japanese"},
    {u"TH", u"Thai"},
    {u"AF", u"Afrikaans"},
    {u"SQ", u"Albanian"},
    {u"AH", u"Amharic"},
    {u"AR", u"Arabic"},
    {u"HY", u"Armenian"},
    {u"TL", u"Tagalog"},
    {u"BE", u"Belarussian"},
    {u"BN", u"Bengali"},
    {u"BG", u"Bulgarian"},
    {u"MY", u"Burmese"},
    {u"CA", u"Catalan"},
    {u"HR", u"Croatian"},
    {u"CE", u"English Canadian "},
    {u"IE", u"International English"},
    {u"48", u"English South African"},
    {u"ET", u"Estonian"},
    {u"FA", u"Farsi"},
    {u"CF", u"Canadian French"},
    {u"GD", u"Gaelic Scots"},
    {u"KA", u"Georgian"},
    {u"EL", u"Greek"},
    {u"CG", u"Cyprus Greek"},
    {u"GU", u"Gujarati"},
    {u"HE", u"Hebrew"},
    {u"HI", u"Hindi"},
    {u"IN", u"Indonesian"},
    {u"GA", u"Irish"},
    {u"SZ", u"Swiss Italian"},
    {u"KN", u"Kannada"},
    {u"KK", u"Kazakh"},
    {u"KM", u"Khmer"},
    {u"KO", u"Korean"},
    {u"LO", u"Lao"},
    {u"LV", u"Latvian"},
    {u"LT", u"Lithuanian"},
    {u"MK", u"Macedonian"},
    {u"MS", u"Malay"},
    {u"ML", u"Malayalam"},
    {u"MR", u"Marathi"},
    {u"MO", u"Moldavian"},
    {u"MN", u"Mongolian"},
    {u"NN", u"Norwegian Norsk"},
    {u"BP", u"Brazilian Portugese"},
    {u"PA", u"Punjabi"},
    {u"RO", u"Romanian"},
    {u"SR", u"Serbian"},
    {u"SI", u"Sinhalese"},
    {u"SO", u"Somali"},
    {u"OS", u"International Spanish"},
    {u"LS", u"Latin American Spanish"},
    {u"SH", u"Swahili"},
    {u"FS", u"Finland Swedish"},
    {}, // 86 reserved
    {u"TA", u"Tamil"},
    {u"TE", u"Telugu"},
    {u"BO", u"Tibetan"},
    {u"TI", u"Tigrinya"},
    {u"CT", u"Turkish Cyprus "},
    {u"TK", u"Turkmen"},
    {u"UK", u"Ukranian"},
    {u"UR", u"Urdu"},
    {}, // 95 reserved
    {u"VI", u"Vietnamese"},
    {u"CY", u"Welsh"},
    {u"ZU", u"Zulu"},
}};

const LanguageEntry* Find(uint32_t number) {
    if (number < kFirstLanguage || number > kLastLanguage || kLanguages[number].code.empty())
        return nullptr;
    return &kLanguages[number];
}

} // namespace

std::optional<std::u16string_view> LanguageCode(uint32_t number) {
    if (const LanguageEntry* entry = Find(number))
        return entry->code;
    return std::nullopt;
}

std::optional<std::u16string_view> LanguageName(uint32_t number) {
    if (const LanguageEntry* entry = Find(number))
        return entry->name;
    return std::nullopt;
}

int32_t LanguageFromCode(std::u16string_view code) {
    for (uint32_t number = kFirstLanguage; number <= kLastLanguage; ++number) {
        const std::u16string_view known = kLanguages[number].code;
        // Reserved numbers have no code; an empty word must not pick them.
        if (!known.empty() && equalsIgnoreAsciiCase(known, code))
            return static_cast<int32_t>(number);
    }
    // Files saved by earlier versions name 48 so.
    if (equalsIgnoreAsciiCase(code, u"SA"))
        return 48;
    return -1;
}

WideText LanguageDisplayName(uint32_t number) {
    if (std::optional<std::u16string_view> name = LanguageName(number))
        return WideText(*name);
    return numberToText(number, 10);
}

} // namespace tb
