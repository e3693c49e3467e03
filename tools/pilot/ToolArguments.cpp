#include "tools/pilot/ToolArguments.h"

#include <cstdio>

int ToolArguments::refuse(const std::string& problem) const {
    std::fprintf(stderr, "%s: %s\n", programName, (problem.empty() ? fault : problem).c_str());
    std::fprintf(stderr, "%s", usageText);
    return 1;
}
