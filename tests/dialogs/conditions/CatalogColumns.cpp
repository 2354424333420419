#include "CatalogColumns.h"
#include "TestEnv.h"

#include <gtest/gtest.h>
#include <sql.h>
#include <sqlext.h>

namespace
{
    std::string TextOf(SQLHSTMT hstmt, SQLUSMALLINT nColumn)
    {
        char szText[256] = "";
        SQLLEN nLength = 0;
        SQLGetData(hstmt, nColumn, SQL_C_CHAR, szText, sizeof szText, &nLength);
        return nLength == SQL_NULL_DATA ? std::string() : std::string(szText);
    }

    int NumberOf(SQLHSTMT hstmt, SQLUSMALLINT nColumn)
    {
        SQLSMALLINT nValue = 0;
        SQLGetData(hstmt, nColumn, SQL_C_SSHORT, &nValue, 0, nullptr);
        return nValue;
    }

    void ReadColumns(SQLHDBC hdbc, const std::string& table, ColumnInfo*& pColumns, int& nColumns)
    {
        SQLHSTMT hstmt = SQL_NULL_HSTMT;
        SQLAllocHandle(SQL_HANDLE_STMT, hdbc, &hstmt);
        SQLRETURN rc = SQLColumns(hstmt, nullptr, 0, nullptr, 0, (SQLCHAR*)table.c_str(), SQL_NTS, nullptr, 0);
        EXPECT_TRUE(SQL_SUCCEEDED(rc)) << "SQLColumns " << table;
        while (SQL_SUCCEEDED(rc) && SQL_SUCCEEDED(SQLFetch(hstmt)))
        {
            ColumnInfo column;
            column.name = _strdup(TextOf(hstmt, 4).c_str());
            std::string typeName = TextOf(hstmt, 6);
            column.typeName = typeName.empty() ? nullptr : _strdup(typeName.c_str());
            column.searchable = 3;
            column.dataType = NumberOf(hstmt, 5);
            column.sqlDataType = NumberOf(hstmt, 14);
            column.datetimeSub = NumberOf(hstmt, 15);
            AppendColumnInfo(pColumns, nColumns, column);
        }
        SQLFreeHandle(SQL_HANDLE_STMT, hstmt);
    }

    void ReadTypeInfo(SQLHDBC hdbc, ColumnInfo& column)
    {
        SQLHSTMT hstmt = SQL_NULL_HSTMT;
        SQLAllocHandle(SQL_HANDLE_STMT, hdbc, &hstmt);
        if (SQL_SUCCEEDED(SQLGetTypeInfo(hstmt, (SQLSMALLINT)column.dataType)) && SQL_SUCCEEDED(SQLFetch(hstmt)))
        {
            column.nullable = NumberOf(hstmt, 7);
            column.searchable = NumberOf(hstmt, 9);
            column.sqlDataType = NumberOf(hstmt, 16);
            column.datetimeSub = NumberOf(hstmt, 17);
        }
        SQLFreeHandle(SQL_HANDLE_STMT, hstmt);
    }
}

void ReadCatalogColumns(const std::string& connect, const std::string& table, ColumnInfo*& pColumns,
                        int& nColumns)
{
    WithConnection(connect, [&](SQLHDBC hdbc) {
        ReadColumns(hdbc, table, pColumns, nColumns);
        for (int i = 0; i < nColumns; ++i)
            ReadTypeInfo(hdbc, pColumns[i]);
    });
}
