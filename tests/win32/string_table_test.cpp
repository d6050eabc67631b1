// Reads the string table out of the built Setup.exe (its Windows path in
// SHIPPED_SETUP_EXE: the i686 program, loaded as data) and compares it with the expected texts, code unit by code
// unit, so invisible marks, trailing spaces and quotation marks count.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <set>
#include <string>
#include <vector>

#include "common/expected_texts.h"

namespace {

constexpr int kHighestIdProbed = 1100;

std::string CodeUnits(const wchar_t* text, size_t length)
{
    std::string out;
    char unit[8];
    for (size_t i = 0; i < length; ++i) {
        std::snprintf(unit, sizeof unit, " %04x", static_cast<unsigned>(text[i]));
        out += unit;
    }
    return out;
}

// The entry's text as stored, without copying through a buffer that could
// cut it: LoadStringW with no buffer size hands back a pointer and a length.
std::wstring LoadEntry(HMODULE module, int id)
{
    const wchar_t* text = nullptr;
    int length = LoadStringW(module, static_cast<UINT>(id),
                             reinterpret_cast<LPWSTR>(&text), 0);
    if (length <= 0 || text == nullptr)
        return std::wstring();
    return std::wstring(text, static_cast<size_t>(length));
}

BOOL CALLBACK CollectLanguage(HMODULE, LPCWSTR, LPCWSTR, WORD language, LONG_PTR param)
{
    reinterpret_cast<std::set<WORD>*>(param)->insert(language);
    return TRUE;
}

BOOL CALLBACK CollectBlock(HMODULE module, LPCWSTR type, LPWSTR name, LONG_PTR param)
{
    EnumResourceLanguagesW(module, type, name, CollectLanguage, param);
    return TRUE;
}

class StringTableTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        wchar_t path[1024] = {};
        DWORD length = GetEnvironmentVariableW(L"SHIPPED_SETUP_EXE", path, ARRAYSIZE(path));
        ASSERT_GT(length, 0u) << "SHIPPED_SETUP_EXE is not set";
        ASSERT_LT(length, ARRAYSIZE(path));
        module_ = LoadLibraryExW(path, nullptr,
                                 LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
        ASSERT_NE(module_, nullptr) << "cannot load SETUP_EXE, error " << GetLastError();
    }

    void TearDown() override
    {
        if (module_ != nullptr)
            FreeLibrary(module_);
    }

    HMODULE module_ = nullptr;
};

TEST_F(StringTableTest, EveryEntryHoldsItsExactText)
{
    for (const ExpectedText& expected : kExpectedTexts) {
        std::wstring actual = LoadEntry(module_, expected.id);
        std::wstring wanted = expected.text;
        EXPECT_TRUE(actual == wanted)
            << "id " << expected.id << "\n  actual:"
            << CodeUnits(actual.c_str(), actual.size()) << "\n  wanted:"
            << CodeUnits(wanted.c_str(), wanted.size());
    }
}

TEST_F(StringTableTest, HoldsNoOtherIds)
{
    std::set<int> listed;
    for (const ExpectedText& expected : kExpectedTexts)
        listed.insert(expected.id);
    ASSERT_EQ(listed.size(), 132u) << "expected table has repeated or missing ids";

    std::vector<int> unexpected;
    for (int id = 0; id <= kHighestIdProbed; ++id) {
        if (listed.count(id) == 0 && !LoadEntry(module_, id).empty())
            unexpected.push_back(id);
    }
    std::string ids;
    for (int id : unexpected)
        ids += " " + std::to_string(id);
    EXPECT_TRUE(unexpected.empty()) << "entries not in the expected table:" << ids;
}

// One language version only, so the loader's fallback between languages
// can never pick a text in place of the program's id choice.
TEST_F(StringTableTest, ExistsInOneNeutralLanguageVersion)
{
    std::set<WORD> languages;
    EnumResourceNamesW(module_, MAKEINTRESOURCEW(6) /* RT_STRING */, CollectBlock,
                       reinterpret_cast<LONG_PTR>(&languages));
    ASSERT_EQ(languages.size(), 1u);
    EXPECT_EQ(*languages.begin(), MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL));
}

}  // namespace
