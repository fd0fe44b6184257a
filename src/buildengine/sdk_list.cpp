#include "buildengine/sdk_list.h"

#include "util/path.h"
#include "util/text_convert.h"

#include <expat.h>

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <utility>

namespace tb {

namespace {

static_assert(sizeof(XML_Char) == 1, "expects expat's UTF-8 build");

// Roots are kept without a trailing separator so that "$(EPOCROOT)\..." joins cleanly.
void dropTrailingSeparator(WideText& root) {
    if (!root.empty() && (root.back() == u'\\' || root.back() == u'/'))
        root.pop_back();
}

// Handler state while devices.xml is parsed.
class DevicesXmlReader {
public:
    SdkList parse(std::string_view content) {
        if (content.size() > static_cast<size_t>(INT_MAX))
            return {};
        XML_Parser parser = XML_ParserCreate(nullptr);
        if (!parser)
            return {};
        XML_SetUserData(parser, this);
        XML_SetElementHandler(parser, &DevicesXmlReader::onStart, &DevicesXmlReader::onEnd);
        XML_SetCharacterDataHandler(parser, &DevicesXmlReader::onText);
        // A parse error only ends the parse: devices completed before it are kept.
        XML_Parse(parser, content.data(), static_cast<int>(content.size()), 1);
        XML_ParserFree(parser);
        return std::move(sdks_);
    }

private:
    static void XMLCALL onStart(void* self, const XML_Char* name, const XML_Char** attributes) {
        static_cast<DevicesXmlReader*>(self)->start(name, attributes);
    }
    static void XMLCALL onEnd(void* self, const XML_Char* name) {
        static_cast<DevicesXmlReader*>(self)->end(name);
    }
    static void XMLCALL onText(void* self, const XML_Char* text, int length) {
        auto* reader = static_cast<DevicesXmlReader*>(self);
        if (reader->inEpocRoot_ && reader->device_ && length > 0)
            reader->text_.append(text, static_cast<size_t>(length));
    }

    void start(const char* name, const char** attributes) {
        if (std::strcmp(name, "device") == 0) {
            // A device nested in another one is ignored.
            if (device_)
                return;
            device_.emplace();
            for (const char** a = attributes; a[0] && a[1]; a += 2) {
                if (std::strcmp(a[0], "id") == 0)
                    device_->id = utf8ToWide(a[1]);
                else if (std::strcmp(a[0], "name") == 0)
                    device_->name = utf8ToWide(a[1]);
                else if (std::strcmp(a[0], "default") == 0)
                    device_->isDefault = std::strcmp(a[1], "yes") == 0;
            }
        } else if (std::strcmp(name, "epocroot") == 0) {
            inEpocRoot_ = true;
        }
    }

    void end(const char* name) {
        if (std::strcmp(name, "device") == 0) {
            if (device_)
                sdks_.push_back(std::move(*device_));
            device_.reset();
            inEpocRoot_ = false;
            // Text of an unfinished epocroot must not leak into the next device.
            text_.clear();
        } else if (std::strcmp(name, "epocroot") == 0) {
            if (device_) {
                device_->epocRoot = utf8ToWide(text_);
                dropTrailingSeparator(device_->epocRoot);
                text_.clear();
            }
            inEpocRoot_ = false;
        }
    }

    SdkList sdks_;
    std::optional<SdkInfo> device_;
    bool inEpocRoot_ = false;
    std::string text_; // UTF-8, converted when the element ends
};

bool readWholeFile(const std::string& path, std::string& content) {
    FILE* file = std::fopen(path.c_str(), "rb");
    if (!file)
        return false;
    char buffer[16384];
    size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0)
        content.append(buffer, got);
    bool ok = !std::ferror(file);
    std::fclose(file);
    return ok;
}

const char* nonEmptyEnv(const char* name) {
    const char* value = std::getenv(name);
    return value && *value ? value : nullptr;
}

} // namespace

SdkList ParseDevicesXml(std::string_view content) {
    return DevicesXmlReader().parse(content);
}

std::string DefaultDevicesXmlPath() {
    std::string common;
    if (const char* dir = nonEmptyEnv("TINDERBRIDGE_COMMON_FILES"))
        common = dir;
    else if (const char* data = nonEmptyEnv("XDG_DATA_HOME"))
        common = data;
    else if (const char* home = nonEmptyEnv("HOME"))
        common = std::string(home) + "/.local/share";
    else
        return {};
    if (common.back() != '/')
        common += '/';
    return common + "Symbian/devices.xml";
}

SdkList DiscoverSdks(const std::string& devicesXmlPath, const char* epocRootEnv) {
    SdkList sdks;
    std::string content;
    if (!devicesXmlPath.empty() && readWholeFile(devicesXmlPath, content))
        sdks = ParseDevicesXml(content);
    if (sdks.empty() && epocRootEnv && *epocRootEnv) {
        SdkInfo sdk;
        sdk.id = u"EPOCROOT";
        sdk.name = u"EPOCROOT";
        sdk.epocRoot = fromHostPath(epocRootEnv);
        dropTrailingSeparator(sdk.epocRoot);
        sdks.push_back(std::move(sdk));
    }
    return sdks;
}

SdkList DiscoverSdks() {
    return DiscoverSdks(DefaultDevicesXmlPath(), std::getenv("EPOCROOT"));
}

} // namespace tb
