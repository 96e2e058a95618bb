#include "disk_cleaners/junk_types.h"

#include "platform/text_encoding.h"

namespace trenmoor::disk_cleaners {

namespace {

std::string_view Trim(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
    return s;
}

// Longest prefix of at most kJunkTextMax bytes that does not split a UTF-8 character.
std::string_view CutText(std::string_view s) {
    if (s.size() <= kJunkTextMax) return s;
    size_t n = kJunkTextMax;
    while (n > 0 && (static_cast<unsigned char>(s[n]) & 0xC0) == 0x80) --n;
    return s.substr(0, n);
}

void PutText(std::string& record, size_t offset, std::string_view text) {
    const std::string_view cut = CutText(text);
    record[offset] = static_cast<char>(cut.size());
    record.replace(offset + 1, cut.size(), cut);
}

std::string GetText(std::string_view record, size_t offset) {
    size_t len = static_cast<unsigned char>(record[offset]);
    if (len > kJunkTextMax) len = kJunkTextMax;  // a damaged length never reads past its field
    const std::string_view raw = record.substr(offset + 1, len);
    return platform::IsValidUtf8(raw) ? std::string(raw) : platform::Cp1252ToUtf8(raw);
}

}  // namespace

TJunkFileType ParseJunkTypeLine(std::string_view line) {
    TJunkFileType t;
    const size_t comma = line.find(',');
    t.Pattern = std::string(line.substr(0, comma));
    if (comma != std::string_view::npos) t.Description = std::string(Trim(line.substr(comma + 1)));
    return t;
}

std::vector<TJunkFileType> DefaultJunkTypes() {
    std::vector<TJunkFileType> out;
    out.reserve(kDefaultJunkTypeLines.size());
    for (const std::string_view line : kDefaultJunkTypeLines) out.push_back(ParseJunkTypeLine(line));
    return out;
}

std::string EncodeJunkTypes(const std::vector<TJunkFileType>& types) {
    std::string out;
    out.reserve(types.size() * kJunkRecordSize);
    for (const TJunkFileType& t : types) {
        std::string record(kJunkRecordSize, '\0');
        record[0] = t.Checked ? 1 : 0;
        PutText(record, 1, t.Pattern);
        PutText(record, 102, t.Description);
        out += record;
    }
    return out;
}

std::vector<TJunkFileType> DecodeJunkTypes(std::string_view bytes) {
    std::vector<TJunkFileType> out;
    const size_t count = bytes.size() / kJunkRecordSize;
    out.reserve(count);
    for (size_t i = 0; i < count; ++i) {
        const std::string_view record = bytes.substr(i * kJunkRecordSize, kJunkRecordSize);
        TJunkFileType t;
        t.Checked = record[0] != 0;
        t.Pattern = GetText(record, 1);
        t.Description = GetText(record, 102);
        out.push_back(std::move(t));
    }
    return out;
}

std::vector<TJunkFileType> LoadJunkTypes(platform::FileSystem& files, std::string_view path) {
    if (!files.fileExists(path)) {
        std::vector<TJunkFileType> defaults = DefaultJunkTypes();
        (void)SaveJunkTypes(files, path, defaults);  // a read-only folder still gets the defaults in memory
        return defaults;
    }
    std::string bytes;
    if (auto stream = files.open(path, platform::OpenMode::Read)) {
        char buffer[8192];
        for (size_t n; (n = stream->read(buffer, sizeof buffer)) > 0;) bytes.append(buffer, n);
    }
    return DecodeJunkTypes(bytes);
}

bool SaveJunkTypes(platform::FileSystem& files, std::string_view path,
                   const std::vector<TJunkFileType>& types) {
    auto stream = files.open(path, platform::OpenMode::Create);
    if (!stream) return false;
    const std::string bytes = EncodeJunkTypes(types);
    return stream->write(bytes.data(), bytes.size());
}

}  // namespace trenmoor::disk_cleaners
