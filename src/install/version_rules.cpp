#include "version_rules.h"

bool IsVersionAtLeast(const FileVersion& version, const FileVersion& required) {
    if (version.major != required.major) return version.major > required.major;
    if (version.minor != required.minor) return version.minor > required.minor;
    if (version.build != required.build) return version.build > required.build;
    return version.revision >= required.revision;
}

bool IsMsiVersionEnough(const FileVersion& version) {
    const FileVersion required = {3, 1, 4000, 2435};
    return IsVersionAtLeast(version, required);
}
