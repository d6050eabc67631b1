#include "driver/sequence_rules.h"

#include <gtest/gtest.h>

#include <string>

namespace {

bool g_dotNet = false;
bool g_msi = false;
std::string g_asked;

bool DotNetProbe() {
    g_asked += "net ";
    return g_dotNet;
}

bool MsiProbe() {
    g_asked += "msi ";
    return g_msi;
}

TEST(ShouldRunDotNetRuntime, FollowsTheDecisionTableAskingOnlyWhatDecides) {
    const struct {
        bool dotNet, windows8, msi, wow64;
        bool run;
        const char* asked;
    } rows[] = {
        {true, false, true, true, false, "net "},
        {false, true, true, true, false, "net "},
        {false, false, true, false, true, "net msi "},
        {false, false, false, true, true, "net msi "},
        {false, false, false, false, false, "net msi "},
    };
    for (const auto& row : rows) {
        g_dotNet = row.dotNet;
        g_msi = row.msi;
        g_asked.clear();
        EXPECT_EQ(row.run, ShouldRunDotNetRuntime(DotNetProbe, row.windows8, MsiProbe, row.wow64))
            << "row " << (&row - rows);
        EXPECT_EQ(row.asked, g_asked) << "row " << (&row - rows);
    }
}

}  // namespace
