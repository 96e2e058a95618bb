#pragma once
// Minimal JSON output for the command line: UTF-8 strings escaped, numbers as 64-bit integers.
#include <cstdint>
#include <ostream>
#include <string>
#include <string_view>

namespace trenmoor::cli {

// `text` as a JSON string literal (quotes included). Invalid UTF-8 bytes become U+FFFD, so the
// output is always valid JSON whatever a file name holds.
std::string JsonString(std::string_view text);

// Writes the members of one array, with commas between them, as they are streamed.
class JsonArrayStream {
  public:
    explicit JsonArrayStream(std::ostream& out) : out_(out) {}
    // Starts the next element (writes the separating comma).
    std::ostream& next() {
        if (count_++ > 0) out_ << ',';
        return out_;
    }
    uint64_t count() const { return count_; }

  private:
    std::ostream& out_;
    uint64_t count_ = 0;
};

}  // namespace trenmoor::cli
