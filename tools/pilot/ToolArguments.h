#pragma once
// The command line of the tools that play a stage by themselves
// (vortalis2-sim, vortalis2-bench): options read one at a time, numbers
// checked against their range, and one way to refuse with the tool's usage;
// and their output, one result line apart from the game's console lines.
//
//   ToolArguments args("vortalis2-sim", kUsage, argc, argv);
//   while (args.more()) {
//       if (args.number("--seed", 0u, 0x7FFFFFFFu, options.seed)) continue;
//       if (args.flag("--autopilot", options.autopilot)) continue;
//       args.reject();
//   }
//   if (args.failed()) return args.refuse();
#include <cstdio>
#include <cstdlib>
#include <initializer_list>
#include <string>
#include <type_traits>

class ToolArguments {
  public:
    ToolArguments(const char* program, const char* usage, int argc, char** argv)
        : programName(program), usageText(usage), count(argc), values(argv) {}

    // True while arguments are left and none was refused.
    bool more() const { return fault.empty() && next < count; }
    bool failed() const { return !fault.empty(); }

    // Each reader takes the argument at hand when it is the named option,
    // with its value if it has one, and says whether it did. A value out of
    // range or of the wrong kind refuses the command line.
    bool flag(const char* name, bool& out) {
        if (!at(name))
            return false;
        ++next;
        out = true;
        return true;
    }

    bool text(const char* name, std::string& out) {
        if (!at(name))
            return false;
        if (next + 1 >= count)
            return refuseWith(std::string(name) + " takes a value");
        out = values[next + 1];
        next += 2;
        return true;
    }

    // Whole-number fields take whole numbers only; real fields any number.
    template <typename Number>
    bool number(const char* name, Number low, Number high, Number& out) {
        std::string value;
        if (!text(name, value))
            return false;
        char* end = nullptr;
        const double read = std::strtod(value.c_str(), &end);
        const bool whole = std::is_integral<Number>::value;
        if (value.empty() || *end != '\0' || read < static_cast<double>(low) ||
            read > static_cast<double>(high) ||
            (whole && read != static_cast<double>(static_cast<long long>(read)))) {
            return refuseWith(std::string(name) + " takes " + (whole ? "a whole number" : "a number") +
                              " from " + shown(low) + " to " + shown(high));
        }
        out = static_cast<Number>(read);
        return true;
    }

    // An option whose value is one of a few words; `out` is the word's place in `words`.
    bool choice(const char* name, std::initializer_list<const char*> words, int& out) {
        std::string value;
        if (!text(name, value))
            return false;
        int index = 0;
        std::string listed;
        for (const char* word : words) {
            if (value == word) {
                out = index;
                return true;
            }
            listed += (index++ ? "|" : "") + std::string(word);
        }
        return refuseWith(std::string(name) + " takes " + listed);
    }

    // The argument at hand is none the tool knows.
    void reject() { refuseWith("unknown argument '" + std::string(values[next]) + "'"); }

    // Prints the fault (or the given problem) and the usage; returns the
    // tool's exit status for a refused command line.
    int refuse(const std::string& problem = std::string()) const;

  private:
    bool at(const char* name) const { return more() && std::string(values[next]) == name; }
    bool refuseWith(const std::string& problem) {
        fault = problem;
        return true;
    }
    template <typename Number>
    static std::string shown(Number value) {
        std::string written = std::to_string(value);
        if (!std::is_integral<Number>::value) {
            written.erase(written.find_last_not_of('0') + 1);
            if (written.back() == '.')
                written.pop_back();
        }
        return written;
    }

    const char* programName;
    const char* usageText;
    int count;
    char** values;
    int next = 1;
    std::string fault;
};

// Sends the game's console lines (its standard output) to standard error from
// here on, and returns a stream on the real standard output for the tool's
// one result line.
std::FILE* takeResultStream();
