// jadeleaf-cli: the analysis tool for people who study deals.
#include <cstdio>

#include "tools/cli/Cli.h"

int main(int argc, char** argv) { return jadeleaf::RunCli(argc, argv, stdout, stderr); }
