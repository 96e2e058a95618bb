#include "disk_cleaners/shred_levels.h"

namespace trenmoor::disk_cleaners {

namespace {
constexpr uint8_t kDodCharacter = 0x35;  // any character serves; its complement follows
}

std::vector<ShredPass> PassesFor(ShredLevel level) {
    switch (level) {
        case ShredLevel::Quick:
            return {{PassFill::Pattern01}};
        case ShredLevel::Safe:
            return {{PassFill::Byte, kDodCharacter},
                    {PassFill::Byte, static_cast<uint8_t>(~kDodCharacter)},
                    {PassFill::Random}};
        case ShredLevel::Thorough:
            return std::vector<ShredPass>(7, ShredPass{PassFill::Pattern01});
    }
    return {};
}

std::optional<ShredLevel> ShredLevelFromName(std::string_view name) {
    for (const ShredLevelInfo& l : kShredLevels) {
        if (l.Name == name) return l.Level;
    }
    return std::nullopt;
}

}  // namespace trenmoor::disk_cleaners
