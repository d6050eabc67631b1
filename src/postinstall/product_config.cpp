#include "product_config.h"

// PLACEHOLDER until the configuration copy lands.
void CopyProductConfig() {}
