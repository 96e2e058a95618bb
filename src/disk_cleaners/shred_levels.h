#pragma once
// Shred levels and what each overwrite pass writes.
#include <array>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace trenmoor::disk_cleaners {

enum class ShredLevel { Quick = 0, Safe = 1, Thorough = 2 };

enum class PassFill {
    Pattern01,  // the characters "0" and "1" (0x30, 0x31) alternating from offset 0
    Byte,       // one byte value throughout
    Random,     // fresh random bytes
};

struct ShredPass {
    PassFill Fill;
    uint8_t Value = 0;  // for Byte
    friend bool operator==(const ShredPass&, const ShredPass&) = default;
};

struct ShredLevelInfo {
    ShredLevel Level;
    std::string_view Caption;  // radio group item
    std::string_view Name;     // command-line name
    int Passes;
};

inline constexpr std::array<ShredLevelInfo, 3> kShredLevels = {{
    {ShredLevel::Quick, "Quick(1 overwrite pass)", "quick", 1},
    {ShredLevel::Safe, "Safe(DOD 5220.22-M: 3 overwrite passes)", "safe", 3},
    {ShredLevel::Thorough, "Thorough(7 overwrite passes)", "thorough", 7},
}};

// The passes of a level, in order. "Safe" is DoD 5220.22-M: a character, its complement, random.
std::vector<ShredPass> PassesFor(ShredLevel level);
std::optional<ShredLevel> ShredLevelFromName(std::string_view name);

// Fills `buffer` with the bytes a pass writes at file offset `offset` (Random takes them from `random`).
template <class RandomEngine>
void FillPass(const ShredPass& pass, uint64_t offset, uint8_t* buffer, size_t size, RandomEngine& random) {
    switch (pass.Fill) {
        case PassFill::Pattern01:
            for (size_t i = 0; i < size; ++i) buffer[i] = ((offset + i) & 1) == 0 ? 0x30 : 0x31;
            break;
        case PassFill::Byte:
            for (size_t i = 0; i < size; ++i) buffer[i] = pass.Value;
            break;
        case PassFill::Random:
            for (size_t i = 0; i < size; i += 8) {
                uint64_t r = random();
                for (size_t k = 0; k < 8 && i + k < size; ++k, r >>= 8)
                    buffer[i + k] = static_cast<uint8_t>(r);
            }
            break;
    }
}

}  // namespace trenmoor::disk_cleaners
