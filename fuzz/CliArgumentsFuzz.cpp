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

// A long seed range is a long job, not a parsing case: such inputs are skipped.
bool LongRange(const std::vector<std::string>& arguments) {
    for (const std::string& argument : arguments) {
        const std::size_t dots = argument.find("..");
        if (dots == std::string::npos) continue;
        const unsigned long long first = std::strtoull(argument.substr(0, dots).c_str(), nullptr, 10);
        const unsigned long long last = std::strtoull(argument.substr(dots + 2).c_str(), nullptr, 10);
        if (last > first + 2) return true;
    }
    return false;
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
    if (LongRange(arguments)) return 0;
    std::vector<const char*> argv;
    for (const std::string& argument : arguments) argv.push_back(argument.c_str());
    argv.push_back(nullptr);
    const int status = jadeleaf::RunCli(static_cast<int>(arguments.size()), argv.data(), sink, sink);
    if (status < 0 || status > 255) std::abort();
    return 0;
}
