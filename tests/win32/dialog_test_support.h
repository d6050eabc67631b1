// Shared by the dialog tests: Setup.exe's resources as data, the dialog
// templates as stored, and what the user's locale should show.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <cwctype>
#include <string>
#include <vector>

#include "common/expected_texts.h"

namespace dialog_test {

// ---- Setup.exe's resources -------------------------------------------------

inline std::wstring Variable(const wchar_t* name) {
    wchar_t value[2048];
    DWORD length = GetEnvironmentVariableW(name, value, ARRAYSIZE(value));
    if (length == 0 || length >= ARRAYSIZE(value)) return std::wstring();
    return value;
}

// The x86_64 twin as a data file: the dialog manager, the string loader and
// the static control's bitmap loader all find their resources in it.
inline HMODULE LoadSetupResources() {
    std::wstring path = Variable(L"SETUP_EXE");
    if (path.empty()) return NULL;
    return LoadLibraryExW(path.c_str(), NULL, LOAD_LIBRARY_AS_DATAFILE);
}

// ---- Dialog templates ------------------------------------------------------

struct TemplateItem {
    DWORD helpId = 0;
    DWORD exStyle = 0;
    DWORD style = 0;
    short x = 0, y = 0, cx = 0, cy = 0;
    DWORD id = 0;
    std::wstring className;  // ordinals named, upper case
    std::wstring text;
    int textOrdinal = -1;  // a resource id in place of the text
};

struct DialogTemplate {
    bool extended = false;
    DWORD exStyle = 0;
    DWORD style = 0;
    short x = 0, y = 0, cx = 0, cy = 0;
    std::wstring menu, className, caption;
    WORD pointSize = 0, weight = 0;
    BYTE italic = 0, charset = 0;
    std::wstring face;
    std::vector<TemplateItem> items;
};

class TemplateReader {
public:
    TemplateReader(const BYTE* data, size_t size) : data_(data), size_(size) {}
    bool Failed() const { return failed_; }
    template <typename T> T Read() {
        T value = T();
        if (at_ + sizeof(T) > size_) {
            failed_ = true;
            return value;
        }
        memcpy(&value, data_ + at_, sizeof(T));
        at_ += sizeof(T);
        return value;
    }
    std::wstring String() {
        std::wstring text;
        for (WORD unit; !failed_ && (unit = Read<WORD>()) != 0;) text.push_back(static_cast<wchar_t>(unit));
        return text;
    }
    // A name or an ordinal: 0 none, 0xFFFF then the ordinal, else a string.
    std::wstring NameOrOrdinal(int* ordinal) {
        *ordinal = -1;
        WORD first = Read<WORD>();
        if (first == 0) return std::wstring();
        if (first == 0xFFFF) {
            *ordinal = Read<WORD>();
            return std::wstring();
        }
        at_ -= sizeof(WORD);
        return String();
    }
    void AlignToDword() { at_ = (at_ + 3) & ~static_cast<size_t>(3); }
    void Skip(size_t count) { at_ += count; }

private:
    const BYTE* data_;
    size_t size_;
    size_t at_ = 0;
    bool failed_ = false;
};

inline std::wstring ClassOrdinalName(int ordinal) {
    switch (ordinal) {
    case 0x80: return L"BUTTON";
    case 0x81: return L"EDIT";
    case 0x82: return L"STATIC";
    default: return L"#" + std::to_wstring(ordinal);
    }
}

inline std::wstring Upper(std::wstring text) {
    for (wchar_t& c : text) c = static_cast<wchar_t>(towupper(c));
    return text;
}

inline DialogTemplate ReadDialogTemplate(HMODULE module, int id) {
    DialogTemplate dialog;
    HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(5) /* RT_DIALOG */);
    if (found == NULL) return dialog;
    HGLOBAL loaded = LoadResource(module, found);
    const BYTE* data = static_cast<const BYTE*>(LockResource(loaded));
    TemplateReader reader(data, SizeofResource(module, found));
    WORD version = reader.Read<WORD>();
    WORD signature = reader.Read<WORD>();
    if (version != 1 || signature != 0xFFFF) return dialog;
    dialog.extended = true;
    reader.Read<DWORD>();  // help id
    dialog.exStyle = reader.Read<DWORD>();
    dialog.style = reader.Read<DWORD>();
    WORD count = reader.Read<WORD>();
    dialog.x = reader.Read<short>();
    dialog.y = reader.Read<short>();
    dialog.cx = reader.Read<short>();
    dialog.cy = reader.Read<short>();
    int ordinal = -1;
    dialog.menu = reader.NameOrOrdinal(&ordinal);
    if (ordinal >= 0) dialog.menu = L"#" + std::to_wstring(ordinal);
    dialog.className = reader.NameOrOrdinal(&ordinal);
    if (ordinal >= 0) dialog.className = L"#" + std::to_wstring(ordinal);
    dialog.caption = reader.String();
    if (dialog.style & (DS_SETFONT | DS_SHELLFONT)) {
        dialog.pointSize = reader.Read<WORD>();
        dialog.weight = reader.Read<WORD>();
        dialog.italic = reader.Read<BYTE>();
        dialog.charset = reader.Read<BYTE>();
        dialog.face = reader.String();
    }
    for (WORD i = 0; i < count && !reader.Failed(); ++i) {
        reader.AlignToDword();
        TemplateItem item;
        item.helpId = reader.Read<DWORD>();
        item.exStyle = reader.Read<DWORD>();
        item.style = reader.Read<DWORD>();
        item.x = reader.Read<short>();
        item.y = reader.Read<short>();
        item.cx = reader.Read<short>();
        item.cy = reader.Read<short>();
        item.id = reader.Read<DWORD>();
        int classOrdinal = -1;
        item.className = Upper(reader.NameOrOrdinal(&classOrdinal));
        if (classOrdinal >= 0) item.className = ClassOrdinalName(classOrdinal);
        item.text = reader.NameOrOrdinal(&item.textOrdinal);
        reader.Skip(reader.Read<WORD>());  // creation data
        dialog.items.push_back(item);
    }
    if (reader.Failed()) dialog.extended = false;
    return dialog;
}

// ---- The user's locale -----------------------------------------------------

// Rows of expected_texts.h: six texts each, in the order progress text,
// completion title, finish hint, Finish, Back, Cancel.
enum ExpectedRow {
    kArabic, kChineseTraditional, kChineseSimplified, kCzech, kDanish, kGerman, kSpanish, kFinnish,
    kFrench, kHungarian, kItalian, kJapanese, kKorean, kDutch, kNorwegian, kPolish, kPortuguese,
    kRomanian, kRussian, kSwedish, kTurkish, kDefault
};

struct LocaleExpectation {
    LCID locale;
    ExpectedRow row;
    bool rightToLeft;
};

// The locales the tests are run in (LC_ALL on the Unix side).
const LocaleExpectation kLocales[] = {
    {0x0409, kDefault, false},            {0x0809, kDefault, false},
    {0x040D, kDefault, false},            {0x0408, kDefault, false},
    {0x041E, kDefault, false},            {0x0401, kArabic, true},
    {0x0C01, kArabic, true},              {0x0404, kChineseTraditional, false},
    {0x0C04, kChineseTraditional, false}, {0x0804, kChineseSimplified, false},
    {0x1004, kChineseSimplified, false},  {0x1404, kChineseSimplified, false},
    {0x0407, kGerman, false},             {0x040C, kFrench, false},
    {0x0416, kPortuguese, false},         {0x0816, kPortuguese, false},
    {0x0414, kNorwegian, false},          {0x0814, kNorwegian, false},
    {0x041D, kSwedish, false},            {0x0411, kJapanese, false},
    {0x0419, kRussian, false},            {0x0412, kKorean, false},
};

// What this process's user locale should show. Fails the test when the
// locale is not in the table or is not the one QM_EXPECT_LCID names (a
// locale entry whose LC_ALL Wine did not take).
inline const LocaleExpectation* CurrentLocale() {
    LCID locale = GetUserDefaultLCID();
    std::wstring wanted = Variable(L"QM_EXPECT_LCID");
    if (!wanted.empty()) {
        LCID expected = static_cast<LCID>(wcstoul(wanted.c_str(), NULL, 16));
        EXPECT_EQ(expected, locale) << "the user locale is not the one this run asked for";
        if (expected != locale) return nullptr;
    }
    for (const LocaleExpectation& entry : kLocales) {
        if (entry.locale == locale) return &entry;
    }
    ADD_FAILURE() << "no expectations for user locale 0x" << std::hex << locale;
    return nullptr;
}

inline const wchar_t* ExpectedTextOf(ExpectedRow row, int column) { return kExpectedTexts[6 * row + column].text; }

// The progress line as the user should read it: the title in place of
// "%s", cut to the 511 characters of the dialog's buffer.
inline std::wstring ExpectedProgressLine(ExpectedRow row, const std::wstring& title) {
    std::wstring line = ExpectedTextOf(row, 0);
    line.replace(line.find(L"%s"), 2, title);
    if (line.size() > 511) line.resize(511);
    return line;
}

// ---- Live windows ------------------------------------------------------------

// Sent, so it is answered by the window's own thread once it is free.
inline std::wstring TextOf(HWND window) {
    wchar_t text[2048] = L"";
    SendMessageW(window, WM_GETTEXT, ARRAYSIZE(text), reinterpret_cast<LPARAM>(text));
    return text;
}

inline std::wstring ClassOf(HWND window) {
    wchar_t name[64] = L"";
    GetClassNameW(window, name, ARRAYSIZE(name));
    return name;
}

// A modal dialog shows itself once its queue first runs empty. Each sent
// message is a round trip through the dialog's loop, so a few of them let it
// get there without guessing at a time.
inline bool BecomesVisible(HWND window) {
    for (int round = 0; round < 100 && !IsWindowVisible(window); ++round) SendMessageW(window, WM_NULL, 0, 0);
    return IsWindowVisible(window) != FALSE;
}

// Handles this process holds. Wine leaves GetProcessHandleCount at 0 but
// lists every handle of the system for NtQuerySystemInformation.
inline long ProcessHandleCount() {
    struct HandleEntry {
        ULONG ownerProcessId;  // the low 16 bits on Windows, beside a trace index
        BYTE objectType;
        BYTE flags;
        USHORT value;
        PVOID object;
        ULONG access;
    };
    struct HandleList {
        ULONG count;
        HandleEntry entries[1];
    };
    typedef LONG(WINAPI * QuerySystem)(ULONG, PVOID, ULONG, PULONG);
    const ULONG kSystemHandleInformation = 16;
    const LONG kInfoLengthMismatch = static_cast<LONG>(0xC0000004);
    QuerySystem query = reinterpret_cast<QuerySystem>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtQuerySystemInformation")));
    if (query == NULL) return -1;
    std::vector<BYTE> buffer(1 << 16);
    LONG status;
    ULONG needed = 0;
    while ((status = query(kSystemHandleInformation, buffer.data(), static_cast<ULONG>(buffer.size()), &needed)) ==
           kInfoLengthMismatch) {
        buffer.resize(buffer.size() * 2);
    }
    if (status != 0) return -1;
    const HandleList* list = reinterpret_cast<const HandleList*>(buffer.data());
    ULONG self = GetCurrentProcessId();
    long count = 0;
    for (ULONG i = 0; i < list->count; ++i) {
        if ((list->entries[i].ownerProcessId & 0xFFFF) == (self & 0xFFFF)) ++count;
    }
    return count;
}

// Joins a dialog's thread, known by its id: the dialog threads' own handles
// are not ours to keep. A thread that cannot be opened has already ended.
inline void WaitForThread(DWORD threadId) {
    HANDLE thread = OpenThread(SYNCHRONIZE, FALSE, threadId);
    if (thread == NULL) return;
    WaitForSingleObject(thread, INFINITE);
    CloseHandle(thread);
}

inline std::string Hex(const std::wstring& text) {
    std::string out;
    char unit[8];
    for (wchar_t c : text) {
        std::snprintf(unit, sizeof unit, " %04x", static_cast<unsigned>(c));
        out += unit;
    }
    return out;
}

}  // namespace dialog_test
