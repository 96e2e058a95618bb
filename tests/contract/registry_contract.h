#pragma once
// The registry contract: one suite of tests that every registry backend must pass. Each test executable
// binds it to a backend by defining MakeContractEnvironment() (tests/contract/sim, tests/contract/win32).
#include <memory>
#include <string>

#include "platform/registry.h"

namespace trenmoor::testing {

class ContractEnvironment {
  public:
    virtual ~ContractEnvironment() = default;
    virtual platform::Registry& registry() = 0;
    // A scratch key path under HKEY_CURRENT_USER (no leading backslash), existing and empty when the
    // environment is made, removed with everything below it when the environment is destroyed.
    virtual std::string scratchPath() = 0;
    // Whether the backend can make registry links in the scratch key (for the link-safety test).
    virtual bool canCreateLink(const std::string& linkPath, const std::string& targetPath) = 0;
    // Windows lists values in creation order; Wine's registry server keeps them sorted by name, and
    // that sorted order is then the system's order the program must live with.
    virtual bool valuesKeepCreationOrder() { return true; }
};

std::unique_ptr<ContractEnvironment> MakeContractEnvironment();

}  // namespace trenmoor::testing
