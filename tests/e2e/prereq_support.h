// System states the prerequisite scenarios run under: Wine's per-program
// Windows version, the .NET 2.0 registry key and the file version of the
// system's Msi.dll. Each owner puts the original state back when it goes.
#pragma once

#include <windows.h>
#include <tlhelp32.h>

#include <cstring>
#include <cwctype>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace prereq {

struct MsiVersion {
    WORD major, minor, build, revision;
};

// Offset of the first VS_FIXEDFILEINFO at or after from in a PE image, found
// by its signature 0xFEEF04BD; npos when there is none.
inline size_t FindFixedFileInfo(const std::string& image, size_t from = 0) {
    const char signature[] = {'\xBD', '\x04', '\xEF', '\xFE'};
    size_t at = image.find(std::string(signature, 4), from);
    if (at == std::string::npos || at + sizeof(VS_FIXEDFILEINFO) > image.size()) return std::string::npos;
    return at;
}

inline bool ReadFixedFileVersion(const std::string& image, MsiVersion* version) {
    size_t at = FindFixedFileInfo(image);
    if (at == std::string::npos) return false;
    VS_FIXEDFILEINFO info;
    memcpy(&info, image.data() + at, sizeof(info));
    *version = {HIWORD(info.dwFileVersionMS), LOWORD(info.dwFileVersionMS), HIWORD(info.dwFileVersionLS),
                LOWORD(info.dwFileVersionLS)};
    return true;
}

// Rewrites the file version of every fixed version block in image.
inline bool WriteFixedFileVersion(std::string& image, const MsiVersion& version) {
    bool written = false;
    for (size_t at = FindFixedFileInfo(image); at != std::string::npos;
         at = FindFixedFileInfo(image, at + sizeof(VS_FIXEDFILEINFO))) {
        VS_FIXEDFILEINFO info;
        memcpy(&info, image.data() + at, sizeof(info));
        info.dwFileVersionMS = MAKELONG(version.minor, version.major);
        info.dwFileVersionLS = MAKELONG(version.revision, version.build);
        memcpy(&image[at], &info, sizeof(info));
        written = true;
    }
    return written;
}

inline std::string ReadWholeFile(const std::wstring& path) {
    std::string bytes;
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, 0, NULL);
    if (file == INVALID_HANDLE_VALUE) return bytes;
    char buffer[65536];
    DWORD read = 0;
    while (ReadFile(file, buffer, sizeof(buffer), &read, NULL) && read > 0) bytes.append(buffer, read);
    CloseHandle(file);
    return bytes;
}

inline bool WriteWholeFile(const std::wstring& path, const std::string& bytes) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    BOOL ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, NULL);
    CloseHandle(file);
    return ok && written == bytes.size();
}

inline std::wstring SystemMsiDll() {
    wchar_t directory[MAX_PATH];
    GetSystemDirectoryW(directory, MAX_PATH);
    return std::wstring(directory) + L"\\msi.dll";
}

// Wine's own Msi.dll with another file version stamped into it (a program
// only sees it with MsiDllFromDisk). The file keeps Wine's built-in marker,
// so Wine still loads its own library for every program that uses it.
class MsiDllVersion {
public:
    MsiDllVersion() : path_(SystemMsiDll()), backup_(path_ + L".prereq-original") {
        // A backup left by an interrupted run is the true original.
        if (GetFileAttributesW(backup_.c_str()) == INVALID_FILE_ATTRIBUTES) {
            CopyFileW(path_.c_str(), backup_.c_str(), TRUE);
        }
    }
    ~MsiDllVersion() { Restore(); }
    MsiDllVersion(const MsiDllVersion&) = delete;
    MsiDllVersion& operator=(const MsiDllVersion&) = delete;

    bool Set(const MsiVersion& version) {
        std::string image = ReadWholeFile(backup_);
        return !image.empty() && WriteFixedFileVersion(image, version) && WriteWholeFile(path_, image);
    }
    bool Restore() { return CopyFileW(backup_.c_str(), path_.c_str(), FALSE) != FALSE; }
    MsiVersion Original() const {
        MsiVersion version = {0, 0, 0, 0};
        ReadFixedFileVersion(ReadWholeFile(backup_), &version);
        return version;
    }

private:
    std::wstring path_;
    std::wstring backup_;
};

const wchar_t kDotNetKey[] = L"SOFTWARE\\Microsoft\\NET Framework Setup\\NDP\\v2.0.50727";

// The .NET 2.0 key in the native registry view (the view of the x86_64
// twin, and of whoever reads HKLM without a view flag).
class DotNetKey {
public:
    DotNetKey() {
        HKEY key = NULL;
        existed_ = RegOpenKeyExW(HKEY_LOCAL_MACHINE, kDotNetKey, 0, KEY_READ, &key) == ERROR_SUCCESS;
        if (existed_) {
            size_ = sizeof(original_);
            hadValue_ = RegQueryValueExW(key, L"Install", NULL, &type_, original_, &size_) == ERROR_SUCCESS;
            RegCloseKey(key);
        }
        Remove();
    }
    ~DotNetKey() {
        if (!existed_) {
            Remove();
        } else if (hadValue_) {
            SetValue(type_, original_, size_);
        } else {
            RemoveValue();
        }
    }
    DotNetKey(const DotNetKey&) = delete;
    DotNetKey& operator=(const DotNetKey&) = delete;

    bool Remove() {
        LONG result = RegDeleteKeyW(HKEY_LOCAL_MACHINE, kDotNetKey);
        return result == ERROR_SUCCESS || result == ERROR_FILE_NOT_FOUND;
    }
    bool CreateEmpty() {
        HKEY key = NULL;
        if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, kDotNetKey, 0, NULL, 0, KEY_ALL_ACCESS, NULL, &key, NULL) !=
            ERROR_SUCCESS) {
            return false;
        }
        RegDeleteValueW(key, L"Install");
        RegCloseKey(key);
        return true;
    }
    bool SetInstall(DWORD install) { return SetValue(REG_DWORD, &install, sizeof(install)); }
    bool SetValue(DWORD type, const void* data, DWORD size) {
        HKEY key = NULL;
        if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, kDotNetKey, 0, NULL, 0, KEY_ALL_ACCESS, NULL, &key, NULL) !=
            ERROR_SUCCESS) {
            return false;
        }
        LONG result = RegSetValueExW(key, L"Install", 0, type, static_cast<const BYTE*>(data), size);
        RegCloseKey(key);
        return result == ERROR_SUCCESS;
    }

private:
    void RemoveValue() {
        HKEY key = NULL;
        if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, kDotNetKey, 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS) return;
        RegDeleteValueW(key, L"Install");
        RegCloseKey(key);
    }

    bool existed_ = false;
    bool hadValue_ = false;
    DWORD type_ = 0;
    BYTE original_[64] = {};
    DWORD size_ = 0;
};

// One of Wine's per-program settings under HKCU\Software\Wine\AppDefaults
// (read by Wine when that program starts), by the program's file name:
// "Version" in the program's key, or a value of a subkey such as
// "DllOverrides". Taken away again at the end.
class WineAppDefault {
public:
    WineAppDefault(const std::wstring& program, const std::wstring& subkey, const std::wstring& name,
                   const std::wstring& value)
        : programKey_(L"Software\\Wine\\AppDefaults\\" + program),
          key_(subkey.empty() ? programKey_ : programKey_ + L"\\" + subkey),
          name_(name) {
        HKEY key = NULL;
        if (RegCreateKeyExW(HKEY_CURRENT_USER, key_.c_str(), 0, NULL, 0, KEY_ALL_ACCESS, NULL, &key, NULL) !=
            ERROR_SUCCESS) {
            return;
        }
        applied_ = RegSetValueExW(key, name_.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                                  static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
        RegCloseKey(key);
    }
    ~WineAppDefault() {
        HKEY key = NULL;
        if (RegOpenKeyExW(HKEY_CURRENT_USER, key_.c_str(), 0, KEY_SET_VALUE, &key) == ERROR_SUCCESS) {
            RegDeleteValueW(key, name_.c_str());
            RegCloseKey(key);
        }
        DeleteIfEmpty(key_);
        DeleteIfEmpty(programKey_);
    }
    WineAppDefault(const WineAppDefault&) = delete;
    WineAppDefault& operator=(const WineAppDefault&) = delete;

    bool Applied() const { return applied_; }

private:
    // Other settings of the same program stay.
    static void DeleteIfEmpty(const std::wstring& path) {
        HKEY key = NULL;
        if (RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return;
        DWORD subkeys = 1, values = 1;
        LONG result = RegQueryInfoKeyW(key, NULL, NULL, NULL, &subkeys, NULL, NULL, &values, NULL, NULL, NULL, NULL);
        RegCloseKey(key);
        if (result == ERROR_SUCCESS && subkeys == 0 && values == 0) RegDeleteKeyW(HKEY_CURRENT_USER, path.c_str());
    }

    std::wstring programKey_;
    std::wstring key_;
    std::wstring name_;
    bool applied_ = false;
};

// The Windows version Wine reports to one program: winxp64, vista, win7,
// win8, win10.
struct WindowsVersionSetting : WineAppDefault {
    WindowsVersionSetting(const std::wstring& program, const std::wstring& version)
        : WineAppDefault(program, L"", L"Version", version) {}
};

// Wine looks up the version resource of a file named msi.dll in its own
// built-in library unless the program takes msi as native: with this the
// program reads the file on disk, as Windows does. The setup never loads
// msi.dll as code.
struct MsiDllFromDisk : WineAppDefault {
    explicit MsiDllFromDisk(const std::wstring& program) : WineAppDefault(program, L"DllOverrides", L"msi", L"native") {}
};

// Every window any process creates while this lives, as Wine reports it to
// an out-of-context event hook: a dialog that comes and goes between two
// looks at the screen is still seen. The hook has a thread of its own, so
// the window is looked at while it still exists.
class WindowCreations {
public:
    struct Creation {
        HWND window;
        DWORD processId;
        DWORD threadId;
        std::wstring className;
        std::wstring text;
        std::vector<std::wstring> programsRunning;  // for dialogs: every process's file name, lower case
    };

    WindowCreations() {
        stop_ = CreateEventW(NULL, TRUE, FALSE, NULL);
        HANDLE ready = CreateEventW(NULL, TRUE, FALSE, NULL);
        g_instance = this;
        thread_ = std::thread([this, ready] { Watch(ready); });
        WaitForSingleObject(ready, INFINITE);
        CloseHandle(ready);
    }
    ~WindowCreations() {
        SetEvent(stop_);
        thread_.join();
        CloseHandle(stop_);
        g_instance = nullptr;
    }
    WindowCreations(const WindowCreations&) = delete;
    WindowCreations& operator=(const WindowCreations&) = delete;

    bool Hooked() const { return hooked_; }

    std::vector<Creation> Of(DWORD processId) {
        std::lock_guard<std::mutex> lock(mutex_);
        std::vector<Creation> found;
        for (const Creation& creation : creations_) {
            if (creation.processId == processId) found.push_back(creation);
        }
        return found;
    }

private:
    static void CALLBACK OnEvent(HWINEVENTHOOK, DWORD, HWND window, LONG object, LONG child, DWORD thread, DWORD) {
        if (g_instance == nullptr || window == NULL || object != OBJID_WINDOW || child != CHILDID_SELF) return;
        Creation creation = {window, 0, thread, L"", L"", {}};
        GetWindowThreadProcessId(window, &creation.processId);
        wchar_t text[256] = L"";
        if (GetClassNameW(window, text, 256) > 0) creation.className = text;
        text[0] = L'\0';
        InternalGetWindowText(window, text, 256);
        creation.text = text;
        if (creation.className == L"#32770") creation.programsRunning = ProgramsRunning();
        std::lock_guard<std::mutex> lock(g_instance->mutex_);
        g_instance->creations_.push_back(creation);
    }

    static std::vector<std::wstring> ProgramsRunning() {
        std::vector<std::wstring> programs;
        HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
        if (snapshot == INVALID_HANDLE_VALUE) return programs;
        PROCESSENTRY32W entry = {};
        entry.dwSize = sizeof(entry);
        for (BOOL more = Process32FirstW(snapshot, &entry); more; more = Process32NextW(snapshot, &entry)) {
            std::wstring name = entry.szExeFile;
            for (wchar_t& c : name) c = static_cast<wchar_t>(towlower(c));
            programs.push_back(name);
        }
        CloseHandle(snapshot);
        return programs;
    }

    void Watch(HANDLE ready) {
        HWINEVENTHOOK hook =
            SetWinEventHook(EVENT_OBJECT_CREATE, EVENT_OBJECT_CREATE, NULL, OnEvent, 0, 0, WINEVENT_OUTOFCONTEXT);
        hooked_ = hook != NULL;
        SetEvent(ready);
        while (MsgWaitForMultipleObjects(1, &stop_, FALSE, INFINITE, QS_ALLINPUT) != WAIT_OBJECT_0) {
            MSG message;
            while (PeekMessageW(&message, NULL, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
        }
        if (hook != NULL) UnhookWinEvent(hook);
    }

    static inline WindowCreations* g_instance = nullptr;
    HANDLE stop_ = NULL;
    bool hooked_ = false;
    std::mutex mutex_;
    std::vector<Creation> creations_;
    std::thread thread_;
};

}  // namespace prereq
