#include "msi_command.h"

#include "../common/bounded_text.h"
#include "../driver/switches.h"

namespace {

struct Translation {
    const wchar_t* find;
    const wchar_t* replacement;
};

const Translation kBeforeHostWindow[] = {
    {L"/nola", L"/qb"},    {L"/NOLA", L"/qb"},  {L"-nola", L"/qb"},   {L"-NOLA", L"/qb"},
    {L"/passive", L"/qb"}, {L"/quiet", L"/qb"}, {L"/NODISP", L"/qn"},
};

const Translation kAfterHostWindow[] = {
    {L"/suppressTW", L" "},
    {L"/SUPPRESSTW", L" "},
};

}  // namespace

void ReplaceFirst(WideString& text, const wchar_t* pattern, size_t replacedLength, const wchar_t* replacement) {
    size_t position = text.Find(pattern, TextLength(pattern));
    if (position == WideString::npos) return;
    text.Replace(position, replacedLength, replacement, TextLength(replacement));
}

void StripHostWindowSwitch(WideString& text) {
    size_t start = 0;
    size_t length = 0;
    if (!FindHostWindowToken(text.Text(), &start, &length)) return;
    if (length < 1 || length > kHostWindowTokenLimit) return;
    wchar_t token[64];
    ZeroText(token, 64);
    TextBuffer(token, 64).Append(text.Text() + start, length);
    ReplaceFirst(text, token, length, L"");
}

void TranslateSwitches(WideString& text) {
    for (const Translation& row : kBeforeHostWindow) ReplaceFirst(text, row.find, TextLength(row.find), row.replacement);
    StripHostWindowSwitch(text);
    for (const Translation& row : kAfterHostWindow) ReplaceFirst(text, row.find, TextLength(row.find), row.replacement);
}

bool BuildMsiCommandLine(const wchar_t* tail, const wchar_t* setupDirectory, const wchar_t* packageName,
                         const wchar_t* extraProperties, bool addBasicUi, wchar_t* commandLine) {
    wchar_t packagePath[kMsiCommandCapacity];
    ZeroText(packagePath, kMsiCommandCapacity);
    TextBuffer path(packagePath, kMsiCommandCapacity);
    path.Append(setupDirectory).Append(L"\\MSI\\").Append(packageName).Append(L"\" ");

    WideString options(tail);
    bool silent = IsSilentMode(tail);
    TranslateSwitches(options);
    if (!silent && addBasicUi) options.Append(L" /qb");

    ZeroText(commandLine, kMsiCommandCapacity);
    TextBuffer command(commandLine, kMsiCommandCapacity);
    command.Append(L"msiexec.exe /i \"").Append(packagePath).Append(options.Text());
    if (extraProperties != nullptr) command.Append(L" ").Append(extraProperties);

    if (path.IsCut() || command.IsCut() || options.Failed()) {
        ZeroText(commandLine, kMsiCommandCapacity);
        return false;
    }
    return true;
}
