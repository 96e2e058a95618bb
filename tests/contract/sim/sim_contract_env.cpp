// Binds the registry contract to the simulated registry.
#include "contract/registry_contract.h"
#include "platform/sim/sim_platform.h"

namespace trenmoor::testing {
namespace {

constexpr const char* kScratch = "Software\\TrenmoorContract";

class SimContractEnvironment final : public ContractEnvironment {
  public:
    SimContractEnvironment() {
        auto key = registry_.open(platform::RootKey::CurrentUser, kScratch, true, true);
        (void)key;
    }
    ~SimContractEnvironment() override {
        auto software = registry_.open(platform::RootKey::CurrentUser, "Software", false, true);
        if (software) (void)software->deleteSubkeyTree("TrenmoorContract");
    }

    platform::Registry& registry() override { return registry_; }
    std::string scratchPath() override { return kScratch; }
    bool canCreateLink(const std::string& linkPath, const std::string& targetPath) override {
        return registry_.createLink(platform::RootKey::CurrentUser, linkPath, targetPath);
    }

  private:
    platform::sim::SimRegistry registry_;
};

}  // namespace

std::unique_ptr<ContractEnvironment> MakeContractEnvironment() {
    return std::make_unique<SimContractEnvironment>();
}

}  // namespace trenmoor::testing
