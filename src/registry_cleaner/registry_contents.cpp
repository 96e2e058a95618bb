#include "registry_cleaner/registry_contents.h"

#include "registry_cleaner/sections/path_rules.h"

namespace trenmoor::registry_cleaner {

uint32_t RepairStatusColor(std::string_view status) {
    return status.find("Error") != std::string_view::npos ? kRepairStatusErrorColor : kRepairStatusOkColor;
}

TContent& AddProblem(TRegistryContents& contents, ProblemNumbering& numbering) {
    TContent& problem = contents[contents.Add()].Content;
    problem.Checked = true;
    problem.ID = numbering.Take();
    return problem;
}

std::string_view SeverityForPath(std::string_view path) {
    int distinct = 0;
    for (const char c : BadPathChars) {
        if (path.find(c) != std::string_view::npos) ++distinct;
    }
    if (distinct == 0) return "High";
    return distinct == 1 ? "Normal" : "Low";
}

}  // namespace trenmoor::registry_cleaner
