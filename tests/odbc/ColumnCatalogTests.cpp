// The catalog queries behind the column list, against the SQLite fixture of
// the field-mapping tests.
#include "framework/CDatabase.h"
#include "odbc/ColumnCatalog.h"

#include <gtest/gtest.h>
#include <sqlext.h>
#include <string>
#include <vector>

namespace
{
    class ColumnCatalog : public ::testing::Test
    {
    protected:
        void SetUp() override
        {
            ASSERT_TRUE(m_db.OpenEx("DSN=rdm_fmdlg_articles", CDatabase::openReadOnly));
        }

        std::vector<CatalogColumn> Read(const char* pszTable, size_t nStopAfter = 1000)
        {
            std::vector<CatalogColumn> columns;
            m_bRead = ReadTableColumns(m_db, "", pszTable, [&](const CatalogColumn& column) {
                columns.push_back(column);
                return columns.size() < nStopAfter;
            });
            return columns;
        }

        static std::vector<std::string> Names(const std::vector<CatalogColumn>& columns)
        {
            std::vector<std::string> names;
            for (const CatalogColumn& column : columns)
                names.push_back(column.strName.Str());
            return names;
        }

        CDatabase m_db;
        BOOL m_bRead = FALSE;
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

TEST_F(ColumnCatalog, HandsOnTheColumnsInCatalogOrder)
{
    struct Case { const char* table; BOOL bRead; std::vector<std::string> names; };
    const Case cases[] = {
        {"eight", TRUE, Numbered("c%d", 8)},
        {"seventeen", TRUE, Numbered("c%02d", 17)},
        {"no_such_table", TRUE, {}},
    };
    for (const Case& c : cases)
    {
        EXPECT_EQ(c.names, Names(Read(c.table))) << c.table;
        EXPECT_EQ(c.bRead, m_bRead) << c.table;
    }
    EXPECT_EQ(Numbered("c%02d", 3), Names(Read("seventeen", 3))) << "stops when told";
}

TEST_F(ColumnCatalog, TellsTheTypesOfEachColumn)
{
    std::vector<CatalogColumn> columns = Read("articles");
    ASSERT_EQ(10u, columns.size());
    const CatalogColumn& changed = columns[6];
    EXPECT_EQ("changed", changed.strName.Str());
    EXPECT_EQ("TIMESTAMP", changed.strTypeName.Str());
    EXPECT_EQ(SQL_TYPE_TIMESTAMP, changed.nDataType);

    columns = Read("untyped");
    ASSERT_EQ(1u, columns.size());
    EXPECT_EQ("anything", columns[0].strName.Str());
    EXPECT_EQ("", columns[0].strTypeName.Str()) << "a column declared without a type";
}

TEST_F(ColumnCatalog, ReadsTheTypeInformationOfADataType)
{
    DataTypeInfo info;
    info.nDatetimeSub = 99;
    ASSERT_TRUE(ReadDataTypeInfo(m_db, SQL_TYPE_TIMESTAMP, info));
    EXPECT_EQ(SQL_SEARCHABLE, info.nSearchable);
    EXPECT_EQ(SQL_NULLABLE, info.nNullable);
    EXPECT_EQ(SQL_TYPE_TIMESTAMP, info.nSqlDataType) << "SQLite's driver reports the ODBC 3 code";
    EXPECT_EQ(0, info.nDatetimeSub) << "SQL_DATETIME_SUB of its type is NULL";

    EXPECT_FALSE(ReadDataTypeInfo(m_db, 12345, info)) << "a type the driver does not know";
}

TEST(ColumnCatalogWithoutConnection, ReadsNothing)
{
    CDatabase db;
    EXPECT_FALSE(ReadTableColumns(db, "", "articles", [](const CatalogColumn&) {
        ADD_FAILURE() << "a column without a connection";
        return TRUE;
    }));
    DataTypeInfo info;
    EXPECT_FALSE(ReadDataTypeInfo(db, SQL_INTEGER, info));
}
