#pragma once
// The cleaner fixture with what the tests of the class-registration sections ask of the machine
// afterwards: whether a key or value is still there, and the repair of one section's checked problems.
#include <string>
#include <string_view>

#include "platform/registry_accessor.h"
#include "registry_cleaner/cleaner_repair.h"
#include "support/cleaner_fixture.h"

namespace trenmoor::testing {

class ClassesRootFixture : public CleanerFixture {
  protected:
    bool KeyExists(platform::RootKey root, std::string_view path) {
        platform::TRegistry reg(m->registry(), root);
        return reg.KeyExists("\\" + std::string(path));
    }
    bool ValueExists(platform::RootKey root, std::string_view path, std::string_view value) {
        platform::TRegistry reg(m->registry(), root);
        return reg.OpenKeyReadOnly("\\" + std::string(path)) && reg.ValueExists(value);
    }
    void SetWindowsMajor(uint32_t major) { m->simSystem().version.major = major; }
    // Repairs every checked problem of one section; returns the finish rows.
    registry_cleaner::TRepairContents Repair(int section) {
        registry_cleaner::TRepairContents repairs;
        MessagePump pump(ui, m->clock());
        registry_cleaner::RepairSection(ctx, section, Found(section), repairs, pump, {});
        return repairs;
    }
};

}  // namespace trenmoor::testing
