#include "jobs.h"

// PLACEHOLDER until job deployment lands.
void DeployJobs() {}
