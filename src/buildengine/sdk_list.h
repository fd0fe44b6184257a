#pragma once

#include "util/wide_text.h"

#include <string>
#include <string_view>
#include <vector>

namespace tb {

// One installed SDK as listed in devices.xml.
struct SdkInfo {
    WideText name;
    WideText id;            // the text shown to the user
    WideText epocRoot;      // without a trailing separator
    bool isDefault = false; // kept as read; the first SDK is the current one regardless
};

// In the order in which the device elements end in the file. Filled once, never reloaded.
using SdkList = std::vector<SdkInfo>;

// Parses devices.xml content; its declaration or byte order mark decides the encoding. Devices
// completed before a parse error are kept.
SdkList ParseDevicesXml(std::string_view content);

// <common>/Symbian/devices.xml, <common> being $TINDERBRIDGE_COMMON_FILES, else
// $XDG_DATA_HOME, else ~/.local/share (empty variables count as unset). Empty when none of
// them can be found.
std::string DefaultDevicesXmlPath();

// Reads the SDKs listed in the file; a missing or unreadable file lists none. When it lists
// none and epocRootEnv is a non-empty root, one SDK "EPOCROOT" with that root is listed.
SdkList DiscoverSdks(const std::string& devicesXmlPath, const char* epocRootEnv);
// The default location and $EPOCROOT.
SdkList DiscoverSdks();

} // namespace tb
