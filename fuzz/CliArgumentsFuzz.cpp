// Fuzzes the analysis tool's command line: the bytes are its arguments, one a line.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz/FuzzTarget.h"
#include "tools/cli/Cli.h"

namespace {

std::FILE* sink = nullptr;

// A long seed range, or a deal search that may run to more than 50,000
// positions (seconds under the sanitizers), is a long job, not a parsing
// case: such inputs are skipped.
bool LongJob(const std::vector<std::string>& arguments) {
    constexpr unsigned long long kLargestQuickBudget = 50'000;
    bool solve = false;
    bool quickBudget = false;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        // The tool sees each argument as a C string, up to its first NUL.
        const std::string_view argument = arguments[i].c_str();
        solve |= argument == "solve";
        if (argument == "--budget" && i + 1 < arguments.size()) {
            quickBudget = std::strtoull(arguments[i + 1].c_str(), nullptr, 10) <= kLargestQuickBudget;
        }
        const std::size_t dots = argument.find("..");
        if (dots == std::string::npos) continue;
        const unsigned long long first = std::strtoull(std::string(argument.substr(0, dots)).c_str(), nullptr, 10);
        const unsigned long long last = std::strtoull(std::string(argument.substr(dots + 2)).c_str(), nullptr, 10);
        if (last > first + 2) return true;
    }
    return solve && !quickBudget;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    sink = std::fopen("/dev/null", "w");
    return sink == nullptr ? 1 : 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::vector<std::string> arguments = {"jadeleaf-cli"};
    std::string_view rest(reinterpret_cast<const char*>(data), size);
    while (!rest.empty() && arguments.size() < 16) {
        const std::size_t end = rest.find('\n');
        arguments.emplace_back(rest.substr(0, end));
        rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
    }
    if (LongJob(arguments)) return 0;
    std::vector<const char*> argv;
    for (const std::string& argument : arguments) argv.push_back(argument.c_str());
    argv.push_back(nullptr);
    const int status = jadeleaf::RunCli(static_cast<int>(arguments.size()), argv.data(), sink, sink);
    if (status < 0 || status > 255) std::abort();
    return 0;
}
