#pragma once

// Copies Quillmark.config from beside the setup into the product's Config
// folder.
void CopyProductConfig();
