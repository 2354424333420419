#include "session/LastImport.h"

#include <gtest/gtest.h>

namespace
{
    LastImport Example()
    {
        LastImport last;
        last.table.strDataSource = "Customers = main";
        last.table.nDsnType = dsnSystem;
        last.table.strSchema = "archive";
        last.table.strTable = "Orders 2024";
        last.table.nIncludeViews = FALSE;
        last.aFields[1].m_strColumn = "Code";
        last.aFields[1].m_bPad = TRUE;
        last.aFields[1].m_nPadWidth = 8;
        last.aFields[1].m_chPad = '\xE9';
        last.aFields[0].m_strColumn = "name";
        last.aFields[0].m_strPrefix = "Tel: ";
        last.aFields[0].m_strSuffix = ", =;";
        last.aFields[0].m_bOnlyWithValue = TRUE;
        last.aFields[3].m_strColumn = "born";
        last.aFields[3].m_nDateTimeMode = 1;
        last.aFields[3].m_bDate = TRUE;
        last.conditions.push_back({"city", "VARCHAR", "(\"city\"='Oslo')", "(\"city\"='Oslo')", 3, 12, 12, 0});
        last.conditions.push_back({"", "", "visits > 5 -- often", "visits > 5 -- often", 0, 0, 0, 0});
        last.bUseConditions = TRUE;
        last.aSortKeys[0] = {1, TRUE};
        last.aSortKeys[1] = {0, FALSE};
        return last;
    }

    // Writes the value as a user's registry may hold it.
    void StoreValue(DWORD dwType, const std::string& data)
    {
        HKEY hKey = nullptr;
        ASSERT_EQ(ERROR_SUCCESS, ::RegCreateKeyExA(HKEY_CURRENT_USER, "SOFTWARE\\KAVEX\\RDMODBC", 0, nullptr, 0,
                                                   KEY_SET_VALUE, nullptr, &hKey, nullptr));
        ::RegSetValueExA(hKey, "LastImport", 0, dwType, (const BYTE*)data.data(), (DWORD)data.size());
        ::RegCloseKey(hKey);
    }
}

TEST(LastImport, KeepsEveryChoiceOfTheImport)
{
    const std::string list = EncodeLastImport(Example());
    ASSERT_FALSE(list.empty());
    LastImport last;
    ASSERT_TRUE(DecodeLastImport(list, last));
    EXPECT_EQ(list, EncodeLastImport(last));
    EXPECT_STREQ("Customers = main", last.table.strDataSource);
    EXPECT_EQ(dsnSystem, last.table.nDsnType);
    EXPECT_STREQ(", =;", last.aFields[0].m_strSuffix);
    EXPECT_EQ('\xE9', last.aFields[1].m_chPad);
    EXPECT_TRUE(last.aFields[3].m_bDate);
    ASSERT_EQ(2u, last.conditions.size());
    EXPECT_STREQ("visits > 5 -- often", last.conditions[1].strFilter);
    EXPECT_EQ(-1, last.aSortKeys[2].nField);

    LastImport none;
    ASSERT_TRUE(DecodeLastImport(EncodeLastImport(none), last));
    EXPECT_TRUE(last.conditions.empty()) << "no conditions left from before";
}

TEST(LastImport, IsNothingWhenItsValueIsCutDamagedOrOfALaterVersion)
{
    const std::string list = EncodeLastImport(Example());
    LastImport last;
    for (size_t nLength = 0; nLength < list.size(); ++nLength)
        EXPECT_FALSE(DecodeLastImport(list.substr(0, nLength), last)) << "cut to " << nLength;

    auto replaced = [&list](const std::string& from, const std::string& to) {
        std::string damaged = list;
        damaged.replace(damaged.find(from), from.size(), to);
        return damaged;
    };
    const std::string damaged[] = {
        replaced("version=1", "version=2"),
        replaced("kind=1", "kind=3"),
        replaced("kind=1", "kind=1x"),
        replaced("views=0", "views=0 1"),
        replaced("field2.format=1 8", "field2.format=1 256"),
        replaced("field2.format=1 8", "field2.format=1 -8"),
        replaced("sort=1 1", "sort=4 1"),
        replaced("table=", "table"),
        replaced("source=", "origin="),
        list.substr(0, list.size() - 1) + "extra=1" + std::string(2, '\0'),
        std::string(list.size(), '\xFF'),
    };
    for (const std::string& text : damaged)
        EXPECT_FALSE(DecodeLastImport(text, last)) << text.substr(0, 60);
    EXPECT_TRUE(EncodeLastImport([] { LastImport l; l.table.strTable = CString("a\0b", 3); return l; }()).empty())
        << "a text the list cannot carry is not kept";
}

TEST(LastImport, AStoredValueThatIsNotOneStartsAfresh)
{
    const LastImport example = Example();
    SaveLastImport(example);
    LastImport last;
    ASSERT_TRUE(LoadLastImport(last));
    EXPECT_EQ(EncodeLastImport(example), EncodeLastImport(last));

    const std::string list = EncodeLastImport(example);
    struct Case { const char* what; DWORD dwType; std::string data; };
    const Case cases[] = {
        {"truncated", REG_MULTI_SZ, list.substr(0, list.size() / 2)},
        {"of another type", REG_SZ, "version=1"},
        {"binary", REG_BINARY, list},
        {"huge", REG_MULTI_SZ, std::string(300 * 1024, 'x') + std::string(2, '\0')},
        {"of a later version", REG_MULTI_SZ, "version=2" + std::string(2, '\0')},
        {"empty", REG_MULTI_SZ, ""},
    };
    for (const Case& c : cases)
    {
        StoreValue(c.dwType, c.data);
        EXPECT_FALSE(LoadLastImport(last)) << c.what;
    }
    ::RegDeleteKeyA(HKEY_CURRENT_USER, "SOFTWARE\\KAVEX\\RDMODBC");
    EXPECT_FALSE(LoadLastImport(last)) << "missing";
}
