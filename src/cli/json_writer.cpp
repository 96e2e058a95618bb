#include "cli/json_writer.h"

#include <cstdio>

#include "platform/text_encoding.h"

namespace trenmoor::cli {

std::string JsonString(std::string_view text) {
    std::string valid;
    if (!platform::IsValidUtf8(text)) {
        valid = platform::Utf16ToUtf8(platform::Utf8ToUtf16(text));  // bad bytes -> U+FFFD
        text = valid;
    }
    std::string out;
    out.reserve(text.size() + 2);
    out += '"';
    for (const char c : text) {
        switch (c) {
            case '"':
                out += "\\\"";
                break;
            case '\\':
                out += "\\\\";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\r':
                out += "\\r";
                break;
            case '\t':
                out += "\\t";
                break;
            default:
                if (static_cast<unsigned char>(c) < 0x20) {
                    char buf[8];
                    std::snprintf(buf, sizeof buf, "\\u%04x",
                                  static_cast<unsigned>(static_cast<unsigned char>(c)));
                    out += buf;
                } else {
                    out += c;
                }
        }
    }
    out += '"';
    return out;
}

}  // namespace trenmoor::cli
