// The analysis tool's command line.
#pragma once

#include <cstdio>

namespace jadeleaf {

// Runs one command line; returns the exit status (2 for a bad command line,
// with the usage on `err` and nothing on `out`).
int RunCli(int argc, const char* const* argv, std::FILE* out, std::FILE* err);

}  // namespace jadeleaf
