#include "CRecordset.h"
#include "CDBException.h"
#include "OdbcDiagnostic.h"

#include <sqlext.h>
#include <vector>

namespace
{
    // Values up to this length arrive with their row; a longer one is read
    // again whole.
    const int BOUND_VALUE_LENGTH = 255;

    // The standard SQL types, which every driver converts to text. A
    // driver's own type may not convert, and in a bound column that would
    // fail the whole row instead of the one field: it is read on its own.
    bool IsStandardType(SQLSMALLINT nType)
    {
        return (nType >= SQL_GUID && nType <= SQL_VARCHAR && nType != SQL_UNKNOWN_TYPE)
            || (nType >= SQL_TYPE_DATE && nType <= SQL_TYPE_TIMESTAMP)
            || (nType >= SQL_INTERVAL_YEAR && nType <= SQL_INTERVAL_MINUTE_TO_SECOND);
    }
}

BOOL CRecordset::Open(UINT nOpenType, LPCSTR lpszSQL, DWORD dwOptions)
{
    Close();
    m_strSQL = lpszSQL;
    if (!m_strFilter.IsEmpty())
        m_strSQL += CString(" WHERE ") + m_strFilter;
    if (!m_strSort.IsEmpty())
        m_strSQL += CString("\nORDER BY ") + m_strSort;

    SQLHDBC hdbc = m_pDatabase ? m_pDatabase->m_hdbc.Handle() : SQL_NULL_HDBC;
    SQLRETURN nRetCode = m_hstmt.Allocate(hdbc);
    if (!SQL_SUCCEEDED(nRetCode))
    {
        if (hdbc == SQL_NULL_HDBC)
        {
            CDBException* pException = new CDBException(SQL_INVALID_HANDLE);
            pException->m_strError = "The database connection is not open.\n";
            throw pException;
        }
        AfxThrowDBException(nRetCode, SQL_HANDLE_DBC, hdbc);
    }

    // A snapshot is a static cursor; a driver that cannot give one substitutes
    // its nearest, which serves the module's one forward pass all the same.
    if (nOpenType == snapshot)
        ::SQLSetStmtAttr(m_hstmt, SQL_ATTR_CURSOR_TYPE, (SQLPOINTER)SQL_CURSOR_STATIC, 0);
    else if (nOpenType == forwardOnly)
        ::SQLSetStmtAttr(m_hstmt, SQL_ATTR_CURSOR_TYPE, (SQLPOINTER)SQL_CURSOR_FORWARD_ONLY, 0);
    if (dwOptions & readOnly)
        ::SQLSetStmtAttr(m_hstmt, SQL_ATTR_CONCURRENCY, (SQLPOINTER)SQL_CONCUR_READ_ONLY, 0);
    if (m_nMaxRows > 0)
        ::SQLSetStmtAttr(m_hstmt, SQL_ATTR_MAX_ROWS, (SQLPOINTER)m_nMaxRows, 0);

    nRetCode = ::SQLExecDirect(m_hstmt, (SQLCHAR*)(LPCSTR)m_strSQL, SQL_NTS);
    if (!SQL_SUCCEEDED(nRetCode) && nRetCode != SQL_NO_DATA)
    {
        CDBException* pException = MakeDBException(nRetCode, SQL_HANDLE_STMT, m_hstmt);
        m_hstmt.Free();
        throw pException;
    }
    BindColumns();
    MoveNext();
    return TRUE;
}

void CRecordset::BindColumns()
{
    // A value longer than its buffer is read again whole, which the driver
    // must allow for bound columns, and the columns that are not bound are
    // read in any order, as the fields ask for them.
    const SQLUINTEGER nNeeded = SQL_GD_BOUND | SQL_GD_ANY_COLUMN | SQL_GD_ANY_ORDER;
    SQLUINTEGER nExtensions = 0;
    SQLSMALLINT nColumns = 0;
    if (!SQL_SUCCEEDED(::SQLGetInfo(m_pDatabase->m_hdbc, SQL_GETDATA_EXTENSIONS, &nExtensions, sizeof nExtensions,
                                    nullptr))
        || (nExtensions & nNeeded) != nNeeded || !SQL_SUCCEEDED(::SQLNumResultCols(m_hstmt, &nColumns)))
        return;
    for (SQLUSMALLINT nColumn = 1; nColumn <= nColumns; ++nColumn)
    {
        SQLSMALLINT nType = SQL_UNKNOWN_TYPE;
        std::unique_ptr<CBoundText> pBound;
        if (SQL_SUCCEEDED(::SQLDescribeCol(m_hstmt, nColumn, nullptr, 0, nullptr, &nType, nullptr, nullptr, nullptr))
            && IsStandardType(nType))
        {
            pBound.reset(new CBoundText(BOUND_VALUE_LENGTH));
            if (!SQL_SUCCEEDED(pBound->Bind(m_hstmt, nColumn)))
                pBound.reset();
        }
        m_boundColumns.push_back(std::move(pBound));
    }
}

void CRecordset::Close()
{
    m_hstmt.Free();
    m_boundColumns.clear();
    m_bEOF = TRUE;
    m_bReadFieldsAlone = FALSE;
}

void CRecordset::MoveNext()
{
    m_bReadFieldsAlone = FALSE;
    SQLRETURN nRetCode = ::SQLFetch(m_hstmt);
    if (nRetCode == SQL_NO_DATA)
    {
        m_bEOF = TRUE;
        return;
    }
    if (nRetCode == SQL_ERROR && IsDataException())
        m_bReadFieldsAlone = TRUE;
    else if (!SQL_SUCCEEDED(nRetCode))
        AfxThrowDBException(nRetCode, SQL_HANDLE_STMT, m_hstmt);
    m_bEOF = FALSE;
}

BOOL CRecordset::IsDataException() const
{
    OdbcDiagnostic diagnostic;
    for (SQLSMALLINT nRecord = 1; ReadDiagnostic(SQL_HANDLE_STMT, m_hstmt, nRecord, diagnostic); ++nRecord)
    {
        if (diagnostic.strState.Find("22") == 0)
            return TRUE;
    }
    return FALSE;
}

void CRecordset::GetFieldValue(short nIndex, CString& strValue)
{
    if (!m_bReadFieldsAlone && nIndex >= 0 && nIndex < (short)m_boundColumns.size() && m_boundColumns[nIndex]
        && m_boundColumns[nIndex]->IsWhole())
    {
        const CBoundText& column = *m_boundColumns[nIndex];
        strValue.Empty();
        strValue.Append(column.Text(), column.Length());
        return;
    }
    ReadWholeValue(nIndex, strValue);
}

void CRecordset::ReadWholeValue(short nIndex, CString& strValue)
{
    strValue.Empty();
    // Most values are short: the first read goes into a small buffer, and only
    // a longer value is read on in large pieces. A large buffer for every read
    // costs the driver manager more per row than the value itself.
    char szShort[256];
    std::vector<char> chunk;
    char* pBuffer = szShort;
    SQLLEN nBufferSize = sizeof szShort;
    for (;;)
    {
        SQLLEN nIndicator = 0;
        SQLRETURN nRetCode = ::SQLGetData(m_hstmt, (SQLUSMALLINT)(nIndex + 1), SQL_C_CHAR,
                                          pBuffer, nBufferSize, &nIndicator);
        if (nRetCode == SQL_NO_DATA)
            break;
        if (!SQL_SUCCEEDED(nRetCode))
            AfxThrowDBException(nRetCode, SQL_HANDLE_STMT, m_hstmt);
        if (nIndicator == SQL_NULL_DATA)
            return;
        // A value longer than the buffer comes in pieces; each full piece
        // ends in the terminator the driver adds.
        SQLLEN nPiece = nIndicator;
        if (nIndicator == SQL_NO_TOTAL || nIndicator >= nBufferSize)
            nPiece = nBufferSize - 1;
        strValue.Append(pBuffer, (int)nPiece);
        if (nRetCode == SQL_SUCCESS)
            break;
        if (chunk.empty())
        {
            chunk.resize(8192);
            pBuffer = chunk.data();
            nBufferSize = (SQLLEN)chunk.size();
        }
    }
}
