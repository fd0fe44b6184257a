#pragma once

#include "util/wide_text.h"

#include <optional>
#include <string_view>

// What the install-file dialogs check on OK, and their messages.
namespace tb {

inline constexpr std::u16string_view kEnterTargetName = u"Please enter a target filename.";
inline constexpr std::u16string_view kInvalidTargetName =
    u"The target name cannot:\r\n- Contain any of the following characters: < > : \" / \\ ? * "
    u"|\r\n- be system reserved names, including 'CON', 'AUX', 'PRN, 'COM1' and 'LPT1'\r\n- be "
    u"'.' or '..'\r\n\r\nPlease enter a valid name.";
inline constexpr std::u16string_view kInvalidMimeType =
    u"The MIME type must:\r\n- be greater than 3 characters in length\r\n- be specifed as "
    u"'type/subtype'\r\n- not contain any \" characters\r\n\r\nPlease enter a valid MIME type.";
inline constexpr std::u16string_view kSourceForEachLanguage =
    u"You must select a source file for each language.";

// The message for a target file name, none when it may be taken.
std::optional<std::u16string_view> CheckTargetName(std::u16string_view name);
// The message for a MIME type, none when it is valid.
std::optional<std::u16string_view> CheckMimeType(std::u16string_view mimeType);
// The position of the first language without a source; none when every language has one.
std::optional<size_t> FirstMissingSource(const LocalizedText& sources);

} // namespace tb
