#pragma once

// Imports the job files beside the setup into the product and, when Setup.ini
// asks for it, stages them for every user.
void DeployJobs();

// Imports setupDirectory\fileName into the product when the file exists,
// and waits up to a minute for the import. An import whose path or command
// line would not fit is not started.
void ImportJob(const wchar_t* fileName, const wchar_t* setupDirectory, const wchar_t* productExecutable,
               bool asDesktopUser);
