// The descriptions the data-source dialog keeps for the rows of its list.
#include "dialogs/CDataSourceDlg.h"

#include <gtest/gtest.h>
#include <string>

namespace
{
    SessionConnection theConnection;

    class CEntries : public CDataSourceDlg
    {
    public:
        CEntries() : CDataSourceDlg(theConnection) {}
        using CDataSourceDlg::AddEntry;
        using CDataSourceDlg::FindDescription;
        using CDataSourceDlg::FreeEntries;
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
}

TEST(DescriptionEntries, EveryOneOfTwentyThousandTablesShowsItsOwnRemarksUntilFreed)
{
    CEntries entries;
    const int nTables = 20000;
    for (int i = 0; i < nTables; ++i)
        entries.AddEntry(("table_" + std::to_string(i)).c_str(), ("remarks " + std::to_string(i)).c_str());
    entries.AddEntry("table_7", "a second table_7, of another schema");
    for (int i : {0, 1, 7, 4567, 12345, nTables - 1})
    {
        const std::string name = "table_" + std::to_string(i);
        ASSERT_EQ("remarks " + std::to_string(i), Described(entries.FindDescription(name.c_str()))) << name;
    }

    entries.FreeEntries();
    EXPECT_EQ("(none)", Described(entries.FindDescription("table_0")));
    EXPECT_EQ("(none)", Described(entries.FindDescription("table_19999")));

    entries.AddEntry("again", "after the free");
    EXPECT_EQ("after the free", Described(entries.FindDescription("again")));
}
