#pragma once

struct FileVersion {
    unsigned major;
    unsigned minor;
    unsigned build;
    unsigned revision;
};

// Component by component; the first difference decides.
bool IsVersionAtLeast(const FileVersion& version, const FileVersion& required);

// Windows Installer 3.1.4000.2435 or later.
bool IsMsiVersionEnough(const FileVersion& version);
