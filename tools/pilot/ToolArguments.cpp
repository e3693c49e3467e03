#include "tools/pilot/ToolArguments.h"

#include <unistd.h>

#include <cstdio>

int ToolArguments::refuse(const std::string& problem) const {
    std::fprintf(stderr, "%s: %s\n", programName, (problem.empty() ? fault : problem).c_str());
    std::fprintf(stderr, "%s", usageText);
    return 1;
}

std::FILE* takeResultStream() {
    std::fflush(stdout);
    const int resultFd = dup(STDOUT_FILENO);
    dup2(STDERR_FILENO, STDOUT_FILENO);
    return fdopen(resultFd, "w");
}
