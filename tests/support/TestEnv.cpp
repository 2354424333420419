#include "TestEnv.h"

#include <gtest/gtest.h>
#include <sql.h>
#include <sqlext.h>
#include <cstdlib>

namespace
{
    std::string Environment(const char* pszName)
    {
        const char* pszValue = std::getenv(pszName);
        return pszValue ? pszValue : "";
    }

    std::string Join(const std::string& base, const std::string& relative)
    {
        return relative.empty() ? base : base + "/" + relative;
    }

    // A value whole, read in pieces when it is longer than the buffer.
    std::optional<std::string> ReadText(SQLHSTMT hstmt, SQLUSMALLINT nColumn)
    {
        std::string text;
        char szPiece[256];
        SQLLEN nIndicator = 0;
        for (;;)
        {
            SQLRETURN rc = SQLGetData(hstmt, nColumn, SQL_C_CHAR, szPiece, sizeof szPiece, &nIndicator);
            EXPECT_TRUE(SQL_SUCCEEDED(rc) || rc == SQL_NO_DATA) << "column " << nColumn;
            if (!SQL_SUCCEEDED(rc))
                return text;
            if (nIndicator == SQL_NULL_DATA)
                return std::nullopt;
            text += szPiece;
            if (rc == SQL_SUCCESS)
                return text;
        }
    }
}

std::string UnixToWindowsPath(const std::string& unixPath)
{
    std::string path = "Z:" + unixPath;
    for (char& ch : path)
        if (ch == '/')
            ch = '\\';
    return path;
}

std::string TestEnvUnixPath(const std::string& relative)
{
    return Join(Environment("RDM_TESTENV"), relative);
}

std::string TestEnvWindowsPath(const std::string& relative)
{
    return UnixToWindowsPath(TestEnvUnixPath(relative));
}

std::string BinaryDirWindowsPath(const std::string& relative)
{
    return UnixToWindowsPath(Join(Environment("RDM_BINARY_DIR"), relative));
}

void WithConnection(const std::string& connect, const std::function<void(SQLHDBC)>& use)
{
    SQLHENV henv = SQL_NULL_HENV;
    SQLHDBC hdbc = SQL_NULL_HDBC;
    SQLAllocHandle(SQL_HANDLE_ENV, SQL_NULL_HANDLE, &henv);
    SQLSetEnvAttr(henv, SQL_ATTR_ODBC_VERSION, (SQLPOINTER)SQL_OV_ODBC3, 0);
    SQLAllocHandle(SQL_HANDLE_DBC, henv, &hdbc);
    SQLRETURN rc = SQLDriverConnect(hdbc, nullptr, (SQLCHAR*)connect.c_str(), SQL_NTS, nullptr, 0, nullptr,
                                    SQL_DRIVER_NOPROMPT);
    EXPECT_TRUE(SQL_SUCCEEDED(rc)) << "connect " << connect;
    if (SQL_SUCCEEDED(rc))
    {
        use(hdbc);
        SQLDisconnect(hdbc);
    }
    SQLFreeHandle(SQL_HANDLE_DBC, hdbc);
    SQLFreeHandle(SQL_HANDLE_ENV, henv);
}

void ExecuteSql(const std::string& connect, const std::string& sql)
{
    WithConnection(connect, [&](SQLHDBC hdbc) {
        SQLHSTMT hstmt = SQL_NULL_HSTMT;
        SQLAllocHandle(SQL_HANDLE_STMT, hdbc, &hstmt);
        SQLRETURN rc = SQLExecDirect(hstmt, (SQLCHAR*)sql.c_str(), SQL_NTS);
        EXPECT_TRUE(SQL_SUCCEEDED(rc) || rc == SQL_NO_DATA) << sql;
        SQLFreeHandle(SQL_HANDLE_STMT, hstmt);
    });
}

std::vector<TextRow> QueryRows(const std::string& connect, const std::string& sql)
{
    std::vector<TextRow> rows;
    WithConnection(connect, [&](SQLHDBC hdbc) {
        SQLHSTMT hstmt = SQL_NULL_HSTMT;
        SQLAllocHandle(SQL_HANDLE_STMT, hdbc, &hstmt);
        SQLRETURN rc = SQLExecDirect(hstmt, (SQLCHAR*)sql.c_str(), SQL_NTS);
        EXPECT_TRUE(SQL_SUCCEEDED(rc)) << sql;
        SQLSMALLINT nColumns = 0;
        SQLNumResultCols(hstmt, &nColumns);
        while (SQL_SUCCEEDED(rc) && SQL_SUCCEEDED(SQLFetch(hstmt)))
        {
            TextRow row;
            for (SQLUSMALLINT nColumn = 1; nColumn <= nColumns; ++nColumn)
                row.push_back(ReadText(hstmt, nColumn));
            rows.push_back(row);
        }
        SQLFreeHandle(SQL_HANDLE_STMT, hstmt);
    });
    return rows;
}
