#include "sequence_rules.h"

bool ShouldRunDotNetRuntime(bool (*isDotNet20Installed)(), bool windows8OrLater, bool (*isMsiVersionSufficient)(),
                            bool wow64) {
    if (isDotNet20Installed()) return false;
    if (windows8OrLater) return false;
    if (isMsiVersionSufficient()) return true;
    return wow64;
}
