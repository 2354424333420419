// The descriptions the data-source dialog keeps for the rows of its list.
#include "dialogs/CDataSourceDlg.h"

#include <gtest/gtest.h>
#include <string>

namespace
{
    class CEntries : public CDataSourceDlg
    {
    public:
        using CDataSourceDlg::AddEntry;
        using CDataSourceDlg::FindDescription;
        using CDataSourceDlg::FreeEntries;
        using CDataSourceDlg::m_nEntries;
        using CDataSourceDlg::m_pEntries;
    };

    std::string Described(LPCSTR pszDescription)
    {
        return pszDescription ? pszDescription : "(none)";
    }
}

TEST(DescriptionEntries, TheFirstRowOfANameGivesItsDescription)
{
    CEntries entries;
    entries.AddEntry("orders", "Open orders");
    entries.AddEntry("empty", "");
    entries.AddEntry("none", nullptr);
    entries.AddEntry("orders", "Orders of another schema");
    entries.AddEntry(nullptr, "ignored");

    struct Case { LPCSTR text; const char* description; };
    const Case cases[] = {
        {"orders",  "Open orders"},
        {"empty",   "(none)"},
        {"none",    "(none)"},
        {"Orders",  "(none)"},     // names compare byte for byte
        {"missing", "(none)"},
        {nullptr,   "(none)"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.description, Described(entries.FindDescription(c.text))) << (c.text ? c.text : "null");
    EXPECT_EQ(4, entries.m_nEntries);
}

TEST(DescriptionEntries, TwentyThousandTablesKeepTheirOrderAndAreFreedTogether)
{
    CEntries entries;
    const int nTables = 20000;
    for (int i = 0; i < nTables; ++i)
    {
        std::string name = "table_" + std::to_string(i);
        entries.AddEntry(name.c_str(), ("remarks " + std::to_string(i)).c_str());
    }
    ASSERT_EQ(nTables, entries.m_nEntries);
    for (int i : {0, 1, 15, 16, 17, 4096, nTables - 1})
        EXPECT_EQ("table_" + std::to_string(i), entries.m_pEntries[i].pszName);
    EXPECT_EQ("remarks 19999", Described(entries.FindDescription("table_19999")));

    entries.FreeEntries();
    EXPECT_EQ(nullptr, entries.m_pEntries);
    EXPECT_EQ(0, entries.m_nEntries);
    EXPECT_EQ(nullptr, entries.FindDescription("table_0"));

    entries.AddEntry("again", "after the free");
    EXPECT_EQ("after the free", Described(entries.FindDescription("again")));
}
