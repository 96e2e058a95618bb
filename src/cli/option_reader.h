#pragma once
// Walks a command's arguments: "--name", "--name VALUE", "--name=VALUE" and plain operands.
#include <optional>
#include <string>
#include <string_view>

#include "cli/command_line.h"

namespace trenmoor::cli {

class OptionReader {
  public:
    explicit OptionReader(CommandArgs args) : args_(args) {}

    bool done() const { return i_ >= args_.size(); }
    // The current argument is an option ("--x"); its name without the value part.
    bool isOption() const { return !done() && args_[i_].size() > 2 && args_[i_].rfind("--", 0) == 0; }
    std::string_view name() const {
        const std::string_view a = args_[i_];
        const size_t eq = a.find('=');
        return eq == std::string_view::npos ? a : a.substr(0, eq);
    }
    // Takes a flag without value; false when it was written with "=value".
    bool takeFlag() { return args_[i_++].find('=') == std::string::npos; }
    // Takes an option's value ("--x=v" or "--x v"); nothing when missing.
    std::optional<std::string> takeValue() {
        const std::string& a = args_[i_++];
        if (const size_t eq = a.find('='); eq != std::string::npos) return a.substr(eq + 1);
        if (i_ >= args_.size()) return std::nullopt;
        return args_[i_++];
    }
    std::string takeOperand() { return args_[i_++]; }

  private:
    CommandArgs args_;
    size_t i_ = 0;
};

}  // namespace trenmoor::cli
