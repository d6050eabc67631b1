#include "prereq_command.h"

#include "../common/bounded_text.h"

namespace {

bool Refuse(wchar_t* commandLine, size_t capacity) {
    ZeroText(commandLine, capacity);
    return false;
}

}  // namespace

bool BuildModuleCommandLine(const wchar_t* setupDirectory, const wchar_t* module, const wchar_t* arguments,
                            wchar_t* commandLine, size_t capacity) {
    TextBuffer text(commandLine, capacity);
    text.AppendChar(L'"').Append(setupDirectory).AppendChar(L'\\').Append(module).Append(L"\" ").Append(arguments);
    return text.IsCut() ? Refuse(commandLine, capacity) : true;
}

bool BuildDotNetCommandLine(const wchar_t* setupDirectory, const wchar_t* installer, wchar_t* commandLine,
                            size_t capacity) {
    TextBuffer text(commandLine, capacity);
    text.AppendChar(L'"').Append(setupDirectory).AppendChar(L'\\').Append(installer).AppendChar(L'"');
    return text.IsCut() ? Refuse(commandLine, capacity) : true;
}
