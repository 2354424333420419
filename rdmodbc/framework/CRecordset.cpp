#include "CRecordset.h"
#include "CDBException.h"
#include "OdbcDiagnostic.h"

#include <sqlext.h>
#include <algorithm>
#include <cstring>
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

    // A value longer than its buffer is read again whole, which the driver
    // must allow for bound columns, and the columns that are not bound are
    // read in any order, as the fields ask for them.
    const SQLUINTEGER READ_BOUND_AGAIN = SQL_GD_BOUND | SQL_GD_ANY_COLUMN | SQL_GD_ANY_ORDER;

    // Whether the driver reads a value of any row of a block on its own
    // (SQLSetPos to the row, then SQLGetData), which a value longer than its
    // bound buffer needs. The driver's word (SQL_GD_BLOCK) is not enough: a
    // driver that gives it may read the block's last row wherever it was
    // positioned, and lose its place in the result. So it is tried, on two
    // rows of the driver's type information, before the statement runs.
    bool ReadsAnyRowOfABlock(SQLHDBC hdbc)
    {
        const SQLULEN nRows = 2;
        const int nNameLength = 128;
        CStatementHandle hstmt;
        CBoundText name(nNameLength, (int)nRows);
        SQLULEN nFetched = 0;
        if (!SQL_SUCCEEDED(hstmt.Allocate(hdbc))
            || !SQL_SUCCEEDED(::SQLSetStmtAttr(hstmt, SQL_ATTR_ROW_ARRAY_SIZE, (SQLPOINTER)nRows, 0))
            || !SQL_SUCCEEDED(::SQLSetStmtAttr(hstmt, SQL_ATTR_ROWS_FETCHED_PTR, &nFetched, 0))
            || !SQL_SUCCEEDED(::SQLGetTypeInfo(hstmt, SQL_ALL_TYPES)) || !SQL_SUCCEEDED(name.Bind(hstmt, 1))
            || !SQL_SUCCEEDED(::SQLFetch(hstmt)) || nFetched != nRows)
            return false;
        CString astrNames[nRows];
        for (SQLULEN nRow = 0; nRow < nRows; ++nRow)
        {
            if (!name.IsWhole((int)nRow))
                return false;
            astrNames[nRow] = CString(name.Text((int)nRow), name.Length((int)nRow));
        }
        // Two rows alike could not tell the rows apart.
        if (astrNames[0] == astrNames[1])
            return false;
        for (SQLULEN nRow = 0; nRow < nRows; ++nRow)
        {
            char szName[nNameLength + 1] = "";
            SQLLEN nIndicator = 0;
            if (!SQL_SUCCEEDED(::SQLSetPos(hstmt, (SQLSETPOSIROW)(nRow + 1), SQL_POSITION, SQL_LOCK_NO_CHANGE))
                || !SQL_SUCCEEDED(::SQLGetData(hstmt, 1, SQL_C_CHAR, szName, sizeof szName, &nIndicator))
                || astrNames[nRow] != szName)
                return false;
        }
        return true;
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
    // A driver that adds to the statement (a LIMIT for the most rows) adds
    // on a line of its own, where no comment of a condition reaches.
    m_strSQL += "\n";

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
    // A driver that cannot bound a statement's time lets it run.
    if (m_pDatabase && m_pDatabase->GetQueryTimeout() > 0)
        ::SQLSetStmtAttr(m_hstmt, SQL_ATTR_QUERY_TIMEOUT, (SQLPOINTER)(SQLULEN)m_pDatabase->GetQueryTimeout(), 0);
    SQLUINTEGER nExtensions = 0;
    if (!SQL_SUCCEEDED(::SQLGetInfo(hdbc, SQL_GETDATA_EXTENSIONS, &nExtensions, sizeof nExtensions, nullptr)))
        nExtensions = 0;
    ChooseRowsPerFetch(nOpenType, nExtensions);

    // The server may take long: the user may see it working and cancel it.
    const SQLHSTMT hstmt = m_hstmt;
    try
    {
        nRetCode = WaitForStatement(m_work, hstmt, [this, hstmt] {
            return ::SQLExecDirect(hstmt, (SQLCHAR*)(LPCSTR)m_strSQL, SQL_NTS);
        });
    }
    catch (CException*)
    {
        m_hstmt.Free();
        throw;
    }
    if (!SQL_SUCCEEDED(nRetCode) && nRetCode != SQL_NO_DATA)
    {
        CDBException* pException = MakeDBException(nRetCode, SQL_HANDLE_STMT, m_hstmt);
        m_hstmt.Free();
        throw pException;
    }
    BindColumns(nExtensions);
    FetchBlock();
    return TRUE;
}

void CRecordset::ChooseRowsPerFetch(UINT nOpenType, SQLUINTEGER nExtensions)
{
    SQLULEN nRows = m_nRowsPerFetch;
    if (m_nMaxRows > 0 && m_nMaxRows < nRows)
        nRows = m_nMaxRows;
    // Only a forward pass hands a block's rows out in turn; a long value of
    // any of them must be read again, and so must a row whose value did not
    // convert.
    m_nBlockRows = 1;
    if (nRows > 1 && nOpenType == forwardOnly && (nExtensions & (READ_BOUND_AGAIN | SQL_GD_BLOCK))
                                                     == (READ_BOUND_AGAIN | SQL_GD_BLOCK)
        && ReadsAnyRowOfABlock(m_pDatabase->m_hdbc)
        && SQL_SUCCEEDED(::SQLSetStmtAttr(m_hstmt, SQL_ATTR_ROW_ARRAY_SIZE, (SQLPOINTER)nRows, 0)))
    {
        // A driver may take fewer rows than asked, and says so.
        SQLULEN nTaken = 0;
        if (SQL_SUCCEEDED(::SQLGetStmtAttr(m_hstmt, SQL_ATTR_ROW_ARRAY_SIZE, &nTaken, 0, nullptr)) && nTaken >= 1
            && nTaken <= nRows)
            m_nBlockRows = nTaken;
    }
    m_rowStatus.assign(m_nBlockRows, SQL_ROW_NOROW);
    const bool bStatus =
        SQL_SUCCEEDED(::SQLSetStmtAttr(m_hstmt, SQL_ATTR_ROW_STATUS_PTR, m_rowStatus.data(), 0));
    const bool bFetched = SQL_SUCCEEDED(::SQLSetStmtAttr(m_hstmt, SQL_ATTR_ROWS_FETCHED_PTR, &m_nRowsFetched, 0));
    // Without them a block's rows could not be told from its empty places.
    if (m_nBlockRows > 1 && !(bStatus && bFetched))
    {
        ::SQLSetStmtAttr(m_hstmt, SQL_ATTR_ROW_ARRAY_SIZE, (SQLPOINTER)1, 0);
        m_nBlockRows = 1;
    }
}

void CRecordset::BindColumns(SQLUINTEGER nExtensions)
{
    SQLSMALLINT nColumns = 0;
    if ((nExtensions & READ_BOUND_AGAIN) != READ_BOUND_AGAIN || !SQL_SUCCEEDED(::SQLNumResultCols(m_hstmt, &nColumns)))
        return;
    for (SQLUSMALLINT nColumn = 1; nColumn <= nColumns; ++nColumn)
    {
        SQLSMALLINT nType = SQL_UNKNOWN_TYPE;
        std::unique_ptr<CBoundText> pBound;
        if (SQL_SUCCEEDED(::SQLDescribeCol(m_hstmt, nColumn, nullptr, 0, nullptr, &nType, nullptr, nullptr, nullptr))
            && IsStandardType(nType))
        {
            pBound.reset(new CBoundText(BOUND_VALUE_LENGTH, (int)m_nBlockRows));
            if (!SQL_SUCCEEDED(pBound->Bind(m_hstmt, nColumn)))
                pBound.reset();
        }
        m_boundColumns.push_back(std::move(pBound));
    }
}

void CRecordset::Close()
{
    // The driver writes the bound buffers and the row statuses until the
    // statement is gone.
    m_hstmt.Free();
    m_boundColumns.clear();
    m_rowStatus.clear();
    m_pFailure.reset();
    m_nBlockRows = 1;
    m_nRowsInBlock = 0;
    m_nRow = 0;
    m_nDataExceptionsInARow = 0;
    m_bEOF = TRUE;
    m_bReadFieldsAlone = FALSE;
}

void CRecordset::MoveNext()
{
    if (m_nRow + 1 < m_nRowsInBlock)
    {
        ++m_nRow;
        EnterRow();
        return;
    }
    if (m_pFailure && (!m_bFailureIsDataException || m_bFailureEndsRows))
        throw m_pFailure.release();
    FetchBlock();
}

void CRecordset::FetchBlock()
{
    // What the driver does not write stays "no row".
    std::fill(m_rowStatus.begin(), m_rowStatus.end(), (SQLUSMALLINT)SQL_ROW_NOROW);
    m_nRowsFetched = 0;
    m_nRowsInBlock = 0;
    m_nRow = 0;
    m_nPositionedRow = 0;
    m_pFailure.reset();
    m_bReadFieldsAlone = FALSE;
    SQLRETURN nRetCode = ::SQLFetch(m_hstmt);
    if (nRetCode == SQL_NO_DATA)
    {
        m_bEOF = TRUE;
        return;
    }
    SQLULEN nRows = 0;
    if (SQL_SUCCEEDED(nRetCode))
        nRows = m_nBlockRows > 1 && m_nRowsFetched > 0 ? std::min(m_nRowsFetched, m_nBlockRows) : 1;
    if (!SQL_SUCCEEDED(nRetCode)
        || std::find(m_rowStatus.begin(), m_rowStatus.begin() + nRows, SQL_ROW_ERROR) != m_rowStatus.begin() + nRows)
        nRows = TakeFailedFetch(nRetCode, nRows);
    if (nRows == 0)
        throw m_pFailure.release();
    m_nRowsInBlock = nRows;
    m_bEOF = FALSE;
    EnterRow();
}

SQLULEN CRecordset::TakeFailedFetch(SQLRETURN nRetCode, SQLULEN nRows)
{
    m_pFailure.reset(MakeDBException(SQL_SUCCEEDED(nRetCode) ? SQL_ERROR : nRetCode, SQL_HANDLE_STMT, m_hstmt));
    m_bFailureIsDataException = m_pFailure->IsDataException();
    // A block that fails as a whole hands over no row after the failure;
    // one that fails on a row's value (with information) hands over the rest.
    m_bFailureEndsRows = !SQL_SUCCEEDED(nRetCode) && m_nBlockRows > 1;
    // The driver manager may hand over a record's row and column numbers
    // unset: only numbers within the fetch's rows and the statement's
    // columns are taken.
    SQLSMALLINT nColumns = 0;
    if (!SQL_SUCCEEDED(::SQLNumResultCols(m_hstmt, &nColumns)))
        nColumns = 0;
    SQLLEN nRowNamed = 0;
    for (const OdbcDiagnostic& diagnostic : m_pFailure->m_records)
    {
        SQLLEN nRow = diagnostic.nRowNumber <= (SQLLEN)m_nBlockRows ? diagnostic.nRowNumber : 0;
        // A record about a value of a row of one fetched alone is about
        // that row.
        if (nRow <= 0 && diagnostic.nColumnNumber > 0 && diagnostic.nColumnNumber <= nColumns && m_nBlockRows == 1)
            nRow = 1;
        nRowNamed = std::max(nRowNamed, nRow);
    }
    if (!SQL_SUCCEEDED(nRetCode))
    {
        // A failed fetch hands over the rows its statuses give, or those up
        // to the row its diagnostics name; the row it failed on is not to be
        // trusted.
        nRows = 0;
        while (nRows < m_nBlockRows && m_rowStatus[nRows] != SQL_ROW_NOROW)
            ++nRows;
        if (nRows == 0 && nRowNamed > 0 && (SQLULEN)nRowNamed <= m_nBlockRows)
        {
            nRows = (SQLULEN)nRowNamed;
            std::fill(m_rowStatus.begin(), m_rowStatus.begin() + nRows - 1, (SQLUSMALLINT)SQL_ROW_SUCCESS);
            m_rowStatus[nRows - 1] = SQL_ROW_ERROR;
        }
        else if (nRows == 1 && m_nBlockRows == 1)
            m_rowStatus[0] = SQL_ROW_ERROR;
    }
    // Only a value that did not convert leaves its row to be read; any other
    // failure ends the rows before it.
    if (!m_bFailureIsDataException || m_bFailureEndsRows)
        nRows = std::find(m_rowStatus.begin(), m_rowStatus.begin() + nRows, SQL_ROW_ERROR) - m_rowStatus.begin();
    return nRows;
}

void CRecordset::EnterRow()
{
    m_bReadFieldsAlone = m_rowStatus[m_nRow] == SQL_ROW_ERROR;
    if (!m_bReadFieldsAlone)
    {
        m_nDataExceptionsInARow = 0;
        return;
    }
    if (++m_nDataExceptionsInARow > MAX_DATA_EXCEPTIONS_IN_A_ROW)
        throw m_pFailure.release();
}

void CRecordset::PositionOnRow()
{
    // After a block fetch the driver reads the row it is positioned on.
    if (m_nBlockRows == 1 || m_nPositionedRow == m_nRow + 1)
        return;
    SQLRETURN nRetCode = ::SQLSetPos(m_hstmt, (SQLSETPOSIROW)(m_nRow + 1), SQL_POSITION, SQL_LOCK_NO_CHANGE);
    if (!SQL_SUCCEEDED(nRetCode))
        AfxThrowDBException(nRetCode, SQL_HANDLE_STMT, m_hstmt);
    m_nPositionedRow = m_nRow + 1;
}

BOOL CRecordset::GetBoundText(short nIndex, LPCSTR& pchText, int& nLength) const
{
    if (m_bReadFieldsAlone || nIndex < 0 || nIndex >= (short)m_boundColumns.size() || !m_boundColumns[nIndex]
        || !m_boundColumns[nIndex]->IsWhole((int)m_nRow))
        return FALSE;
    const CBoundText& column = *m_boundColumns[nIndex];
    pchText = column.Text((int)m_nRow);
    // A text ends at its first NUL, as the host reads it.
    nLength = (int)::strnlen(pchText, (size_t)column.Length((int)m_nRow));
    return TRUE;
}

void CRecordset::GetFieldValue(short nIndex, CString& strValue)
{
    LPCSTR pchText = nullptr;
    int nLength = 0;
    if (GetBoundText(nIndex, pchText, nLength))
    {
        strValue.Empty();
        strValue.Append(pchText, nLength);
        return;
    }
    PositionOnRow();
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
    // Each piece tells how many bytes of the value were left before it: a
    // piece that took more of them than its text shows held a NUL, where
    // the text ends (as the host reads it). Without the lengths a piece
    // that ends early is taken for one that a driver ended short.
    SQLLEN nLeftBefore = SQL_NO_TOTAL;
    size_t nLastText = 0;
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
        if (nLeftBefore >= 0 && nIndicator >= 0 && nLeftBefore - nIndicator > (SQLLEN)nLastText)
            break;
        // A value longer than the buffer comes in pieces, each up to the
        // terminator the driver adds: a driver that will not split a
        // character ends a piece short of the buffer's end.
        SQLLEN nPiece = nIndicator;
        if (nIndicator == SQL_NO_TOTAL || nIndicator >= nBufferSize)
            nPiece = nBufferSize - 1;
        nLastText = ::strnlen(pBuffer, (size_t)(nPiece > 0 ? nPiece : 0));
        strValue.Append(pBuffer, (int)nLastText);
        if (nRetCode == SQL_SUCCESS)
            break;
        nLeftBefore = nIndicator;
        if (chunk.empty())
        {
            chunk.resize(8192);
            pBuffer = chunk.data();
            nBufferSize = (SQLLEN)chunk.size();
        }
    }
}
