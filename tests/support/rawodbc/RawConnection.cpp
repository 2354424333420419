#include "RawConnection.h"

namespace
{
    // A value whole, read in pieces when it is longer than the buffer; false
    // when a read failed.
    bool ReadText(SQLHSTMT hstmt, SQLUSMALLINT nColumn, std::optional<std::string>& value)
    {
        std::string text;
        char szPiece[256];
        SQLLEN nIndicator = 0;
        for (;;)
        {
            SQLRETURN nRetCode = ::SQLGetData(hstmt, nColumn, SQL_C_CHAR, szPiece, sizeof szPiece, &nIndicator);
            if (nRetCode == SQL_NO_DATA)
                break;
            if (!SQL_SUCCEEDED(nRetCode))
                return false;
            if (nIndicator == SQL_NULL_DATA)
            {
                value = std::nullopt;
                return true;
            }
            text += szPiece;
            if (nRetCode == SQL_SUCCESS)
                break;
        }
        value = text;
        return true;
    }
}

CRawConnection::CRawConnection(const std::string& connect)
{
    if (m_henv.AllocateOdbc3() != SQL_SUCCESS || !SQL_SUCCEEDED(m_hdbc.Allocate(m_henv)))
        return;
    m_bOpen = SQL_SUCCEEDED(::SQLDriverConnect(m_hdbc, nullptr, (SQLCHAR*)connect.c_str(), SQL_NTS, nullptr, 0,
                                               nullptr, SQL_DRIVER_NOPROMPT));
    if (!m_bOpen)
        Failed(SQL_HANDLE_DBC, m_hdbc);
}

CRawConnection::~CRawConnection()
{
    if (m_bOpen)
        ::SQLDisconnect(m_hdbc);
}

bool CRawConnection::Failed(SQLSMALLINT nHandleType, SQLHANDLE handle)
{
    SQLCHAR szState[6] = "";
    SQLCHAR szMessage[512] = "";
    SQLINTEGER nNative = 0;
    SQLSMALLINT nLength = 0;
    ::SQLGetDiagRec(nHandleType, handle, 1, szState, &nNative, szMessage, sizeof szMessage, &nLength);
    m_strError = std::string((const char*)szState) + " " + (const char*)szMessage;
    return false;
}

bool CRawConnection::Execute(const std::string& sql)
{
    CStatementHandle hstmt;
    if (!m_bOpen || !SQL_SUCCEEDED(hstmt.Allocate(m_hdbc)))
        return Failed(SQL_HANDLE_DBC, m_hdbc);
    SQLRETURN nRetCode = ::SQLExecDirect(hstmt, (SQLCHAR*)sql.c_str(), SQL_NTS);
    return SQL_SUCCEEDED(nRetCode) || nRetCode == SQL_NO_DATA || Failed(SQL_HANDLE_STMT, hstmt);
}

bool CRawConnection::Query(const std::string& sql, std::vector<RawRow>& rows)
{
    rows.clear();
    CStatementHandle hstmt;
    if (!m_bOpen || !SQL_SUCCEEDED(hstmt.Allocate(m_hdbc)))
        return Failed(SQL_HANDLE_DBC, m_hdbc);
    SQLSMALLINT nColumns = 0;
    if (!SQL_SUCCEEDED(::SQLExecDirect(hstmt, (SQLCHAR*)sql.c_str(), SQL_NTS)) ||
        !SQL_SUCCEEDED(::SQLNumResultCols(hstmt, &nColumns)))
        return Failed(SQL_HANDLE_STMT, hstmt);
    SQLRETURN nRetCode;
    while (SQL_SUCCEEDED(nRetCode = ::SQLFetch(hstmt)))
    {
        RawRow& row = rows.emplace_back(nColumns);
        for (SQLUSMALLINT nColumn = 1; nColumn <= nColumns; ++nColumn)
            if (!ReadText(hstmt, nColumn, row[nColumn - 1]))
                return Failed(SQL_HANDLE_STMT, hstmt);
    }
    return nRetCode == SQL_NO_DATA || Failed(SQL_HANDLE_STMT, hstmt);
}
