#include "HeapUse.h"
#include "query/ColumnBatch.h"
#include "query/ColumnInfo.h"

#include <gtest/gtest.h>
#include <sqlext.h>
#include <cstring>
#include <string>
#include <vector>

namespace
{
    ColumnInfo Column(const char* name, const char* typeName, int sqlDataType)
    {
        ColumnInfo column;
        column.name = name ? _strdup(name) : nullptr;
        column.typeName = typeName ? _strdup(typeName) : nullptr;
        column.searchable = 3;
        column.nullable = 1;
        column.dataType = sqlDataType;
        column.sqlDataType = sqlDataType;
        column.datetimeSub = 7;
        return column;
    }

    // One round of what the dialogs do: the list copies the caller's
    // conditions, adds a column-made and a typed condition, and the copy and
    // the original are freed.
    void EditAndDiscard(const ColumnInfo* pCallers, int nCallers)
    {
        ColumnInfo* pWorking = CopyColumnArray(pCallers, nCallers);
        int nWorking = nCallers;
        ColumnInfo condition = Column("NAME", "VARCHAR", 12);
        // A second attempt of the editor fills the condition again.
        SetConditionColumn(condition, pCallers[0]);
        SetConditionTexts(condition, "(`NAME`='a long enough value')", "(`NAME`='a long enough value')");
        AppendColumnInfo(pWorking, nWorking, condition);
        AppendTypedCondition(pWorking, nWorking, "typed text of a condition");
        RemoveColumnInfo(pWorking, nWorking, 0);
        FreeColumnArray(pWorking, nWorking);
        ColumnInfo abandoned;
        SetConditionColumn(abandoned, pCallers[1]);
        FreeColumnInfo(abandoned);
    }
}

TEST(ColumnArray, CopiesEveryRecordWithStringsOfItsOwn)
{
    ColumnInfo* pColumns = nullptr;
    int nColumns = 0;
    ColumnInfo a = Column("ID", "INTEGER", 4);
    ColumnInfo b = Column("NOTE", nullptr, -1);
    SetConditionTexts(b, "shown", "filtered");
    ASSERT_TRUE(AppendColumnInfo(pColumns, nColumns, a));
    ASSERT_TRUE(AppendColumnInfo(pColumns, nColumns, b));
    EXPECT_EQ(nullptr, a.name) << "the array owns the strings now";
    EXPECT_EQ(nullptr, b.displayText);

    int nCopies = nColumns;
    ColumnInfo* pCopy = CopyColumnArray(pColumns, nColumns);
    ASSERT_NE(nullptr, pCopy);
    for (int i = 0; i < 2; ++i)
    {
        EXPECT_NE(pColumns[i].name, pCopy[i].name);
        EXPECT_EQ(pColumns[i].searchable, pCopy[i].searchable);
        EXPECT_EQ(pColumns[i].nullable, pCopy[i].nullable);
        EXPECT_EQ(pColumns[i].sqlDataType, pCopy[i].sqlDataType);
        EXPECT_EQ(pColumns[i].datetimeSub, pCopy[i].datetimeSub);
    }
    FreeColumnArray(pColumns, nColumns);
    EXPECT_EQ(nullptr, pColumns);
    EXPECT_EQ(0, nColumns);

    EXPECT_STREQ("ID", pCopy[0].name) << "the copy outlives the original";
    EXPECT_STREQ("INTEGER", pCopy[0].typeName);
    EXPECT_EQ(nullptr, pCopy[0].displayText);
    EXPECT_STREQ("NOTE", pCopy[1].name);
    EXPECT_EQ(nullptr, pCopy[1].typeName) << "null stays null";
    EXPECT_STREQ("shown", pCopy[1].displayText);
    EXPECT_STREQ("filtered", pCopy[1].filterText);
    EXPECT_EQ(-1, pCopy[1].dataType);
    FreeColumnArray(pCopy, nCopies);
}

TEST(ColumnArray, CopiesNothingFromAnEmptyArray)
{
    ColumnInfo column = Column("X", "INT", 4);
    EXPECT_EQ(nullptr, CopyColumnArray(nullptr, 3));
    EXPECT_EQ(nullptr, CopyColumnArray(&column, 0));
    EXPECT_EQ(nullptr, CopyColumnArray(&column, -1));

    ColumnInfo* pNone = nullptr;
    int nCount = 5;
    FreeColumnArray(pNone, nCount);
    EXPECT_EQ(0, nCount) << "the count is reset even without a block";
    FreeColumnArray(pNone, nCount);
    EXPECT_EQ(nullptr, pNone);

    ColumnInfo* pOne = nullptr;
    int nOne = 0;
    AppendColumnInfo(pOne, nOne, column);
    FreeColumnArray(pOne, nOne);
    FreeColumnArray(pOne, nOne);   // a second free finds nothing to free again
    EXPECT_EQ(nullptr, pOne);
}

TEST(ColumnArray, GrowsByOneRecordKeepingTheOrder)
{
    ColumnInfo* pConditions = nullptr;
    int nConditions = 0;
    for (int i = 0; i < 50; ++i)
    {
        std::string text = "c" + std::to_string(i);
        ASSERT_TRUE(AppendTypedCondition(pConditions, nConditions, text.c_str()));
        ASSERT_EQ(i + 1, nConditions);
    }
    for (int i = 0; i < 50; ++i)
    {
        std::string text = "c" + std::to_string(i);
        EXPECT_STREQ(text.c_str(), pConditions[i].displayText);
        EXPECT_STREQ(text.c_str(), pConditions[i].filterText);
        EXPECT_NE(pConditions[i].displayText, pConditions[i].filterText) << "each text owned once";
    }
    FreeColumnArray(pConditions, nConditions);
}

TEST(ColumnArray, KeepsATypedConditionVerbatim)
{
    ColumnInfo* pConditions = nullptr;
    int nConditions = 0;
    const char* typed[] = {"qty > 3 OR name = 'x'", "   ", "not even SQL ("};
    for (const char* text : typed)
        AppendTypedCondition(pConditions, nConditions, text);
    ASSERT_EQ(3, nConditions);
    for (int i = 0; i < 3; ++i)
    {
        EXPECT_STREQ(typed[i], pConditions[i].displayText);
        EXPECT_STREQ(typed[i], pConditions[i].filterText);
        EXPECT_EQ(nullptr, pConditions[i].name);
        EXPECT_EQ(nullptr, pConditions[i].typeName);
        EXPECT_EQ(0, pConditions[i].searchable);
        EXPECT_EQ(0, pConditions[i].dataType);
        EXPECT_EQ(0, pConditions[i].sqlDataType);
    }
    FreeColumnArray(pConditions, nConditions);
}

TEST(ColumnArray, LeavesAnEmptyTextNull)
{
    ColumnInfo condition = Column("B", "BIT", -7);
    SetConditionTexts(condition, "old", "old");
    SetConditionTexts(condition, "", "");
    EXPECT_EQ(nullptr, condition.displayText);
    EXPECT_EQ(nullptr, condition.filterText);
    SetConditionTexts(condition, "NOT `B`", "NOT `B`");
    ColumnInfo* pArray = nullptr;
    int nCount = 0;
    AppendColumnInfo(pArray, nCount, condition);
    EXPECT_STREQ("NOT `B`", pArray[0].filterText);
    FreeColumnArray(pArray, nCount);
}

TEST(ColumnArray, RemovesOneRecordAndMovesTheRestDown)
{
    struct Case { int nCount; int nIndex; std::vector<std::string> left; };
    const Case cases[] = {
        {3, 0, {"c1", "c2"}},
        {3, 1, {"c0", "c2"}},
        {3, 2, {"c0", "c1"}},
        {3, 3, {"c0", "c1", "c2"}},     // no such record: nothing changes
        {3, -1, {"c0", "c1", "c2"}},
        {1, 0, {}},
    };
    for (const Case& c : cases)
    {
        ColumnInfo* pConditions = nullptr;
        int nConditions = 0;
        for (int i = 0; i < c.nCount; ++i)
            AppendTypedCondition(pConditions, nConditions, ("c" + std::to_string(i)).c_str());
        RemoveColumnInfo(pConditions, nConditions, c.nIndex);
        std::vector<std::string> left;
        for (int i = 0; i < nConditions; ++i)
            left.push_back(pConditions[i].filterText);
        EXPECT_EQ(c.left, left) << c.nIndex;
        if (c.left.empty())
        {
            EXPECT_EQ(nullptr, pConditions) << "no block is kept for no records";
        }
        FreeColumnArray(pConditions, nConditions);
    }
}

TEST(ColumnArray, FillsAConditionFromItsColumn)
{
    ColumnInfo first = Column("QTY", "INTEGER", 4);
    ColumnInfo second = Column("NOTE", nullptr, -1);
    second.searchable = 1;
    second.dataType = -10;
    second.datetimeSub = 0;
    ColumnInfo condition;
    SetConditionColumn(condition, first);
    EXPECT_STREQ("QTY", condition.name);
    EXPECT_NE(first.name, condition.name);
    EXPECT_STREQ("INTEGER", condition.typeName);
    EXPECT_NE(first.typeName, condition.typeName);
    EXPECT_EQ(3, condition.searchable);
    EXPECT_EQ(0, condition.nullable) << "a condition does not carry NULL-ability";
    EXPECT_EQ(4, condition.dataType);
    EXPECT_EQ(4, condition.sqlDataType);
    EXPECT_EQ(7, condition.datetimeSub);

    // A second attempt with another column replaces the first one's copies.
    SetConditionColumn(condition, second);
    EXPECT_STREQ("NOTE", condition.name);
    EXPECT_EQ(nullptr, condition.typeName);
    EXPECT_EQ(1, condition.searchable);
    EXPECT_EQ(-10, condition.dataType);
    EXPECT_EQ(-1, condition.sqlDataType);
    EXPECT_EQ(0, condition.datetimeSub);
    EXPECT_EQ(nullptr, condition.displayText);

    FreeColumnInfo(condition);
    EXPECT_EQ(nullptr, condition.name);
    FreeColumnInfo(first);
    FreeColumnInfo(second);
}

TEST(ColumnArray, FreesEverythingItCopiesOverManyEdits)
{
    ColumnInfo* pCallers = nullptr;
    int nCallers = 0;
    for (int i = 0; i < 4; ++i)
    {
        ColumnInfo column = Column("COLUMN_WITH_A_NAME", "CHARACTER VARYING", 12);
        SetConditionTexts(column, "a display text of some length", "a filter text of some length");
        AppendColumnInfo(pCallers, nCallers, column);
    }
    for (int i = 0; i < 100; ++i)
        EditAndDiscard(pCallers, nCallers);

    SIZE_T nBefore = BusyHeapBytes();
    for (int i = 0; i < 10000; ++i)
        EditAndDiscard(pCallers, nCallers);
    SIZE_T nAfter = BusyHeapBytes();
    // A single forgotten string per round would leave 10000 blocks behind.
    EXPECT_LT(nAfter, nBefore + 16 * 1024) << nBefore << " -> " << nAfter;
    EXPECT_TRUE(HeapsAreSound()) << "a block freed twice or written past its end";

    FreeColumnArray(pCallers, nCallers);
}

TEST(ColumnBatch, MovesItsRecordsToTheArrayInOrderBehindThoseThere)
{
    ColumnInfo* pColumns = nullptr;
    int nColumns = 0;
    for (int nRound : {17, 8})
    {
        CColumnBatch batch;
        for (int i = 0; i < nRound; ++i)
        {
            std::string name = std::to_string(nRound) + "_" + std::to_string(i);
            ASSERT_TRUE(batch.Add(name.c_str(), i % 2 ? "INTEGER" : "", SQL_INTEGER, SQL_INTEGER, 0,
                                  i % 3 ? SQL_NULLABLE : SQL_NO_NULLS));
            if (batch.IsFull())
            {
                ASSERT_TRUE(batch.MoveTo(pColumns, nColumns));
            }
        }
        ASSERT_TRUE(batch.MoveTo(pColumns, nColumns));
    }
    ASSERT_EQ(25, nColumns);
    for (int i = 0; i < nColumns; ++i)
    {
        const int j = i < 17 ? i : i - 17;
        std::string name = (i < 17 ? "17_" : "8_") + std::to_string(j);
        EXPECT_STREQ(name.c_str(), pColumns[i].name);
        EXPECT_STREQ(j % 2 ? "INTEGER" : nullptr, pColumns[i].typeName) << "no type name where the driver gave \"\"";
        // Until the type information is read: every comparison, NULL as the column admits it.
        EXPECT_EQ(SQL_SEARCHABLE, pColumns[i].searchable);
        EXPECT_EQ(j % 3 ? 1 : 0, pColumns[i].nullable);
    }
    FreeColumnArray(pColumns, nColumns);
}

TEST(ColumnBatch, FreesWhatItStillHolds)
{
    const SIZE_T nBefore = BusyHeapBytes();
    {
        CColumnBatch batch;
        batch.Add("kept", "TEXT", SQL_VARCHAR, SQL_VARCHAR, 0, SQL_NULLABLE);
        EXPECT_FALSE(batch.IsFull());
    }
    EXPECT_EQ(nBefore, BusyHeapBytes());
}

TEST(ColumnBatch, TakesTheVerboseTypeFromTheConciseOneWhereTheCatalogGivesNone)
{
    struct Case { int dataType; int sqlDataType; int datetimeSub; int verbose; int sub; };
    const Case cases[] = {
        {SQL_TYPE_DATE,      0,            0,             SQL_DATETIME,       SQL_CODE_DATE},
        {SQL_TYPE_TIME,      0,            0,             SQL_DATETIME,       SQL_CODE_TIME},
        {SQL_TYPE_TIMESTAMP, 0,            0,             SQL_DATETIME,       SQL_CODE_TIMESTAMP},
        {SQL_TYPE_DATE,      SQL_DATETIME, SQL_CODE_DATE, SQL_DATETIME,       SQL_CODE_DATE},
        {SQL_TYPE_DATE,      SQL_DATETIME, 0,             SQL_DATETIME,       SQL_CODE_DATE},
        {SQL_DOUBLE,         0,            0,             SQL_DOUBLE,         0},
        {SQL_BIT,            0,            0,             SQL_BIT,            0},
        {SQL_TYPE_TIMESTAMP, SQL_TYPE_TIMESTAMP, 0,       SQL_TYPE_TIMESTAMP, SQL_CODE_TIMESTAMP},  // as SQLite's driver says
    };
    for (const Case& c : cases)
    {
        CColumnBatch batch;
        ASSERT_TRUE(batch.Add("c", "T", c.dataType, c.sqlDataType, c.datetimeSub, SQL_NULLABLE));
        ColumnInfo* pColumns = nullptr;
        int nColumns = 0;
        ASSERT_TRUE(batch.MoveTo(pColumns, nColumns));
        EXPECT_EQ(c.verbose, pColumns[0].sqlDataType) << c.dataType << " " << c.sqlDataType;
        EXPECT_EQ(c.sub, pColumns[0].datetimeSub) << c.dataType << " " << c.sqlDataType;
        FreeColumnArray(pColumns, nColumns);
    }
}

TEST(ColumnTypeInfo, KeepsWhatTheCatalogGaveWhereTheTypeInformationIsSilent)
{
    struct Case { std::optional<int> searchable, nullable; int sqlDataType, datetimeSub;
                  int wantSearchable, wantNullable, wantSqlDataType, wantDatetimeSub; };
    const Case cases[] = {
        // A conforming driver: its type information counts.
        {SQL_PRED_BASIC, SQL_NO_NULLS, SQL_DATETIME, SQL_CODE_TIME,
         SQL_PRED_BASIC, SQL_NO_NULLS, SQL_DATETIME, SQL_CODE_TIME},
        // MariaDB's: NULL in SQL_DATA_TYPE and SQL_DATETIME_SUB.
        {SQL_SEARCHABLE, SQL_NULLABLE, 0, 0,
         SQL_SEARCHABLE, SQL_NULLABLE, SQL_DATETIME, SQL_CODE_DATE},
        // NULL in SEARCHABLE and NULLABLE is not "not searchable", "not nullable".
        {std::nullopt, std::nullopt, 0, 0,
         SQL_SEARCHABLE, SQL_NULLABLE, SQL_DATETIME, SQL_CODE_DATE},
    };
    for (const Case& c : cases)
    {
        ColumnInfo column;
        column.searchable = SQL_SEARCHABLE;
        column.nullable = 1;
        column.sqlDataType = SQL_DATETIME;
        column.datetimeSub = SQL_CODE_DATE;
        SetColumnTypeInfo(column, c.searchable, c.nullable, c.sqlDataType, c.datetimeSub);
        EXPECT_EQ(c.wantSearchable, column.searchable);
        EXPECT_EQ(c.wantNullable, column.nullable);
        EXPECT_EQ(c.wantSqlDataType, column.sqlDataType);
        EXPECT_EQ(c.wantDatetimeSub, column.datetimeSub);
    }
}
