#include "prerequisites.h"

// PLACEHOLDER until the prerequisite runner lands.
void RunRedistModule(bool, bool, int) {}
void RunDotNetRuntime(bool) {}
