#include "platform/text_file.h"

#include "platform/text_encoding.h"

namespace trenmoor::platform {

std::optional<std::string> ReadAllBytes(FileSystem& fs, std::string_view path) {
    auto stream = fs.open(path, OpenMode::Read);
    if (!stream) return std::nullopt;
    std::string bytes;
    if (const auto size = stream->size()) bytes.reserve(static_cast<size_t>(*size));
    char buffer[65536];
    for (;;) {
        const size_t n = stream->read(buffer, sizeof buffer);
        if (n == 0) break;
        bytes.append(buffer, n);
    }
    return bytes;
}

bool WriteAllBytes(FileSystem& fs, std::string_view path, std::string_view bytes) {
    auto stream = fs.open(path, OpenMode::Create);
    return stream && stream->write(bytes.data(), bytes.size());
}

std::optional<std::vector<std::string>> LoadLines(FileSystem& fs, std::string_view path) {
    const auto bytes = ReadAllBytes(fs, path);
    if (!bytes) return std::nullopt;
    const std::string text = DecodeText(*bytes);
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r' && text[i] != '\n') continue;
        lines.push_back(text.substr(start, i - start));
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        start = i + 1;
    }
    if (start < text.size()) lines.push_back(text.substr(start));
    return lines;
}

bool SaveLines(FileSystem& fs, std::string_view path, const std::vector<std::string>& lines) {
    std::string text;
    for (const auto& line : lines) {
        text += line;
        text += "\r\n";
    }
    return WriteAllBytes(fs, path, text);
}

}  // namespace trenmoor::platform
