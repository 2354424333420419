// The catalog passes behind the column list, against the SQLite fixture.
#include "FieldMapTestSupport.h"
#include "dialogs/ColumnCatalog.h"
#include "session/ImportSession.h"

#include <sqlext.h>

namespace
{
    class ColumnCatalog : public FieldMapTest
    {
    protected:
        void SetUp() override
        {
            FieldMapTest::SetUp();
            ASSERT_TRUE(theSession.m_db.OpenEx(szArticles, CDatabase::openReadOnly));
        }
        void TearDown() override
        {
            FreeColumnArray(m_pColumns, m_nColumns);
            FieldMapTest::TearDown();
        }

        std::vector<std::string> Read(const char* pszTable)
        {
            std::vector<std::string> told;
            ReadTableColumns(theSession.m_db.m_hdbc, pszTable, [&](LPCSTR psz) { told.push_back(psz); },
                             m_pColumns, m_nColumns);
            return told;
        }

        std::vector<std::string> Names() const
        {
            std::vector<std::string> names;
            for (int i = 0; i < m_nColumns; ++i)
                names.push_back(m_pColumns[i].name);
            return names;
        }

        ColumnInfo* m_pColumns = nullptr;
        int m_nColumns = 0;
    };

    std::vector<std::string> Numbered(const char* pszFormat, int nCount)
    {
        std::vector<std::string> names;
        for (int i = 1; i <= nCount; ++i)
        {
            char sz[16];
            sprintf(sz, pszFormat, i);
            names.push_back(sz);
        }
        return names;
    }
}

TEST(ColumnNameBuffer, FallsBackTo256WhenTheDriverNamesNoLimit)
{
    struct Case { SQLSMALLINT nReported; int nLength; };
    const Case cases[] = {
        {0, 256},       // no limit, or the driver cannot tell
        {-1, 256},      // 0xFFFF as a signed number
        {1, 1},
        {30, 30},
        {255, 255},
        {2048, 2048},
        {2049, 2048},
        {32767, 2048},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.nLength, ColumnNameBufferLength(c.nReported)) << c.nReported;
}

TEST_F(ColumnCatalog, KeepsTheColumnsInCatalogOrderAcrossBatches)
{
    struct Case { const char* table; std::vector<std::string> names; };
    const Case cases[] = {
        {"eight", Numbered("c%d", 8)},          // exactly one batch
        {"seventeen", Numbered("c%02d", 17)},   // two full batches and one record
        {"no_such_table", {}},
    };
    for (const Case& c : cases)
    {
        EXPECT_EQ(c.names, Read(c.table)) << c.table << ": each name told as it arrives";
        EXPECT_EQ(c.names, Names()) << c.table;
        EXPECT_EQ((int)c.names.size(), m_nColumns);
        if (c.names.empty())
        {
            EXPECT_EQ(nullptr, m_pColumns);
        }
        FreeColumnArray(m_pColumns, m_nColumns);
    }
}

TEST_F(ColumnCatalog, AppendsToTheRecordsAlreadyThere)
{
    Read("eight");
    Read("seventeen");
    std::vector<std::string> expected = Numbered("c%d", 8);
    for (const std::string& name : Numbered("c%02d", 17))
        expected.push_back(name);
    EXPECT_EQ(expected, Names());
}

TEST_F(ColumnCatalog, TakesSearchableNullableAndVerboseTypeFromTheTypeInformation)
{
    Read("articles");
    ASSERT_EQ(10, m_nColumns);
    ColumnInfo& changed = m_pColumns[6];
    ASSERT_STREQ("changed", changed.name);
    // The catalog pass alone: every comparison offered, nothing known of NULL.
    EXPECT_STREQ("TIMESTAMP", changed.typeName);
    EXPECT_EQ(SQL_SEARCHABLE, changed.searchable);
    EXPECT_EQ(0, changed.nullable);
    EXPECT_EQ(SQL_TYPE_TIMESTAMP, changed.dataType);
    EXPECT_EQ(nullptr, changed.displayText);
    EXPECT_EQ(nullptr, changed.filterText);
    EXPECT_EQ(0, changed.reserved);

    changed.datetimeSub = 99;
    ReadColumnTypeInfo(theSession.m_db.m_hdbc, changed);

    EXPECT_STREQ("changed", changed.name);
    EXPECT_STREQ("TIMESTAMP", changed.typeName);
    EXPECT_EQ(SQL_TYPE_TIMESTAMP, changed.dataType);
    EXPECT_EQ(SQL_SEARCHABLE, changed.searchable);
    EXPECT_EQ(SQL_NULLABLE, changed.nullable);
    EXPECT_EQ(SQL_TYPE_TIMESTAMP, changed.sqlDataType) << "SQLite's driver reports the ODBC 3 code";
    EXPECT_EQ(0, changed.datetimeSub) << "SQL_DATETIME_SUB of its type is NULL";
    EXPECT_EQ(0, changed.reserved);
}

TEST_F(ColumnCatalog, RecordsNoTypeNameForAColumnDeclaredWithoutOne)
{
    Read("untyped");
    ASSERT_EQ(1, m_nColumns);
    EXPECT_STREQ("anything", m_pColumns[0].name);
    EXPECT_EQ(nullptr, m_pColumns[0].typeName);
}

TEST_F(ColumnCatalog, KeepsTheCatalogValuesWhenTheTypeIsUnknown)
{
    ColumnInfo column;
    column.dataType = 12345;
    column.searchable = SQL_SEARCHABLE;
    column.sqlDataType = 77;
    column.datetimeSub = 5;
    ReadColumnTypeInfo(theSession.m_db.m_hdbc, column);
    EXPECT_EQ(SQL_SEARCHABLE, column.searchable);
    EXPECT_EQ(0, column.nullable);
    EXPECT_EQ(77, column.sqlDataType);
    EXPECT_EQ(5, column.datetimeSub);
}

TEST(FindColumn, TakesTheFirstRecordOfAName)
{
    CTestFieldMapDlg dlg;
    ColumnInfo columns[3];
    char szAmount[] = "amount", szCode[] = "code", szAmount2[] = "amount";
    columns[0].name = szAmount;
    columns[1].name = szCode;
    columns[2].name = szAmount2;
    struct Case { const char* name; int index; };
    const Case cases[] = {{"amount", 0}, {"code", 1}, {"Amount", -1}, {"amoun", -1}, {"", -1}, {nullptr, -1}};

    EXPECT_EQ(-1, dlg.FindColumn("amount")) << "no columns yet";
    dlg.m_pColumns = columns;
    dlg.m_nColumns = 3;
    for (const Case& c : cases)
        EXPECT_EQ(c.index, dlg.FindColumn(c.name)) << (c.name ? c.name : "(null)");
    dlg.m_pColumns = nullptr;
    dlg.m_nColumns = 0;
}
