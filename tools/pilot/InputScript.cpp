#include "tools/pilot/InputScript.h"

#include <algorithm>
#include <fstream>
#include <sstream>

bool readInputScript(const std::string& path, std::vector<InputEvent>& events, std::string& problem) {
    std::ifstream file(path);
    if (!file) {
        problem = path + ": cannot be opened";
        return false;
    }
    std::string line;
    int lineNumber = 0;
    while (std::getline(file, line)) {
        ++lineNumber;
        if (line.empty() || line[0] == '#') {
            continue;
        }
        std::istringstream fields(line);
        InputEvent event{};
        std::string state;
        if (!(fields >> event.frame >> event.code >> state) || event.frame < 0 || event.code < 0 ||
            event.code > 31 || (state != "up" && state != "down")) {
            problem = path + ":" + std::to_string(lineNumber) + ": expected FRAME KEYCODE up|down";
            return false;
        }
        event.down = state == "down";
        events.push_back(event);
    }
    std::stable_sort(events.begin(), events.end(),
                     [](const InputEvent& a, const InputEvent& b) { return a.frame < b.frame; });
    return true;
}
