// Jadeleaf, the game.
#include "shell/MainRoutine.h"

int main(int argc, char** argv) { return jadeleaf::MainRoutine(argc, argv); }
