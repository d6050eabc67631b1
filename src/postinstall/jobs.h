#pragma once

// Imports the job files beside the setup into the product and, when Setup.ini
// asks for it, stages them for every user.
void DeployJobs();
