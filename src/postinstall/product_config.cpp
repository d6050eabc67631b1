#include "product_config.h"

#include <windows.h>

#include "../common/bounded_text.h"
#include "../common/handles.h"
#include "../common/late_bound.h"
#include "../driver/setup_directory.h"
#include "registry_text.h"

namespace {

const size_t kSourceCapacity = 512;
const size_t kInstallFolderCapacity = 260;

}  // namespace

void CopyProductConfig() {
    wchar_t source[kSourceCapacity];
    // A cut source path would name another file.
    if (!GetSetupDirectory(source, kSourceCapacity)) return;
    if (TextBuffer::Continue(source, kSourceCapacity).Append(L"\\Quillmark.config").IsCut()) return;

    UniqueKey product;
    if (LateRegOpenKeyEx(HKEY_LOCAL_MACHINE, L"SOFTWARE\\ORVELL\\Quillmark", 0, KEY_READ, product.Put()) !=
        ERROR_SUCCESS) {
        return;
    }
    wchar_t target[kInstallFolderCapacity];
    ReadRegistryText(product.Get(), L"InstallFolder", target, kInstallFolderCapacity);
    if (target[0] == L'\0') return;

    // Read sharing only: a file someone is still writing counts as missing.
    UniqueFile readable(
        CreateFileW(source, GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, NULL));
    if (!readable.IsValid()) return;

    // The installation folder itself must exist; only Config is created.
    TextBuffer::Continue(target, kInstallFolderCapacity).Append(L"\\Config");
    CreateDirectoryW(target, NULL);
    TextBuffer::Continue(target, kInstallFolderCapacity).Append(L"\\Quillmark.config");
    readable.Reset();
    CopyFileW(source, target, FALSE);
}
