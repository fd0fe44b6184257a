#include "model/tables.h"

#include <array>
#include <span>

namespace tb {

namespace {

struct MimeEntry {
    std::u16string_view extension; // leading dot included
    std::u16string_view mime;
};

constexpr std::array<MimeEntry, 66> kMimeTable = {{
    {u".pdf", u"application/pdf"},
    {u".ai", u"application/postscript"},
    {u".eps", u"application/postscript"},
    {u".ps", u"application/postscript"},
    {u".rtf", u"application/rtf"},
    {u".doc", u"application/msword"},
    {u".dot", u"application/msword"},
    {u".xla", u"application/vnd.ms-excel"},
    {u".xlc", u"application/vnd.ms-excel"},
    {u".xlm", u"application/vnd.ms-excel"},
    {u".xls", u"application/vnd.ms-excel"},
    {u".xlt", u"application/vnd.ms-excel"},
    {u".xlw", u"application/vnd.ms-excel"},
    {u".pot", u"application/vnd.ms-powerpoint"},
    {u".pps", u"application/vnd.ms-powerpoint"},
    {u".ppt", u"application/vnd.ms-powerpoint"},
    {u".mpp", u"application/vnd.ms-project"},
    {u".wcm", u"application/vnd.ms-works"},
    {u".wdb", u"application/vnd.ms-works"},
    {u".wks", u"application/vnd.ms-works"},
    {u".wps", u"application/vnd.ms-works"},
    {u".hlp", u"application/vnd.ms-works"},
    {u".swf", u"application/x-shockwave-flash"},
    {u".zip", u"application/zip"},
    {u".mid", u"audio/mid"},
    {u".rmi", u"audio/mid"},
    {u".mp3", u"audio/mpeg"},
    {u".aif", u"audio/x-aiff"},
    {u".aifc", u"audio/x-aiff"},
    {u".aiff", u"audio/x-aiff"},
    {u".m3u", u"audio/x-mpegurl"},
    {u".ra", u"audio/x-pn-realaudio"},
    {u".ram", u"audio/x-pn-realaudio"},
    {u".wav", u"audio/x-wav"},
    {u".mbm", u"image/x-epoc-mbm"},
    {u".jpeg", u"image/jpeg"},
    {u".jpg", u"image/jpeg"},
    {u".jpe", u"image/jpeg"},
    {u".png", u"image/png"},
    {u".gif", u"image/gif"},
    {u".png", u"image/png"},
    {u".bmp", u"image/bmp"},
    {u".tiff", u"image/tiff"},
    {u".tif", u"image/tiff"},
    {u".svg", u"image/svg+xml"},
    {u".ico", u"image/x-icon"},
    {u".css", u"text/css"},
    {u".htm", u"text/html"},
    {u".html", u"text/html"},
    {u".txt", u"text/plain"},
    {u".vcf", u"text/x-vcard"},
    {u".mp2", u"video/mpeg"},
    {u".mpa", u"video/mpeg"},
    {u".mpe", u"video/mpeg"},
    {u".mpeg", u"video/mpeg"},
    {u".mpg", u"video/mpeg"},
    {u".mpv2", u"video/mpeg"},
    {u".mov", u"video/quicktime"},
    {u".qt", u"video/quicktime"},
    {u".lsf", u"video/x-la-asf"},
    {u".lsx", u"video/x-la-asf"},
    {u".asf", u"video/x-ms-asf"},
    {u".asr", u"video/x-ms-asf"},
    {u".asx", u"video/x-ms-asf"},
    {u".avi", u"video/x-msvideo"},
    {u".movie", u"video/x-sgi-movie"},
}};

constexpr std::array<MimeEntry, 10> kImageMimeTable = {{
    {u".mbm", u"image/x-epoc-mbm"},
    {u".jpeg", u"image/jpeg"},
    {u".jpg", u"image/jpeg"},
    {u".jpe", u"image/jpeg"},
    {u".png", u"image/png"},
    {u".gif", u"image/gif"},
    {u".png", u"image/png"},
    {u".bmp", u"image/bmp"},
    {u".tiff", u"image/tiff"},
    {u".tif", u"image/tiff"},
}};

// Stored paths use '\' and host paths '/', so both end the folder part; a dot in a folder
// name is not an extension.
std::u16string_view ExtensionOf(std::u16string_view path) {
    const size_t separator = path.find_last_of(u"\\/");
    const std::u16string_view name =
        separator == std::u16string_view::npos ? path : path.substr(separator + 1);
    const size_t dot = name.rfind(u'.');
    return dot == std::u16string_view::npos ? std::u16string_view{} : name.substr(dot);
}

bool Find(std::span<const MimeEntry> table, std::u16string_view path, std::u16string_view fallback,
          WideText& mime) {
    const std::u16string_view extension = ExtensionOf(path);
    if (!extension.empty()) {
        for (const MimeEntry& entry : table) {
            if (entry.extension == extension) {
                mime = entry.mime;
                return true;
            }
        }
    }
    mime = fallback;
    return false;
}

} // namespace

bool MimeForFile(std::u16string_view path, WideText& mime) {
    return Find(kMimeTable, path, u"text/plain", mime);
}

bool ImageMimeForFile(std::u16string_view path, WideText& mime) {
    return Find(kImageMimeTable, path, u"image/unknown", mime);
}

} // namespace tb
