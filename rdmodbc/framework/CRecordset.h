#pragma once
// A result set of one statement on an open CDatabase, in the manner of the
// framework's CRecordset: opened on its first row, moved one row at a time,
// fields read as text. The filter becomes the statement's WHERE clause, the
// sort its ORDER BY clause.
#include "CBoundText.h"
#include "CDBException.h"
#include "CDatabase.h"
#include "DriverWait.h"

#include <memory>
#include <vector>

class CRecordset
{
public:
    enum OpenType { snapshot = 1, forwardOnly = 2 };
    enum OpenOptions { none = 0x0, readOnly = 0x0004 };

    // The most rows in a row whose fetch failed on a value that did not
    // convert and that still count as rows; the next such failure ends
    // reading, so that a driver that repeats the failure without moving on
    // cannot make reading endless.
    static const int MAX_DATA_EXCEPTIONS_IN_A_ROW = 1000;

    explicit CRecordset(CDatabase* pDatabase)   : m_pDatabase(pDatabase) {}
    virtual ~CRecordset()                       { Close(); }
    CRecordset(const CRecordset&) = delete;
    CRecordset& operator=(const CRecordset&) = delete;

    // Runs the statement (with " WHERE " and m_strFilter when the filter is
    // not empty, then on a line of its own "ORDER BY " and m_strSort when
    // the sort is not empty, out of reach of a comment that ends the filter)
    // and fetches the first row. Failure throws CDBException*.
    virtual BOOL Open(UINT nOpenType, LPCSTR lpszSQL, DWORD dwOptions = none);
    virtual void Close();
    BOOL IsOpen() const                         { return m_hstmt.Handle() != SQL_NULL_HANDLE; }
    BOOL IsEOF() const                          { return m_bEOF; }

    // Moves to the next row. A fetch that failed on a value that did not
    // convert (SQLSTATE class 22) still gives a row where the driver says it
    // fetched one (a row status, or the row or column its diagnostic names):
    // its fields are read one by one, and the failing one fails again on
    // its own. Any other failure, and a data exception without a row, throws
    // CDBException*, after the rows of the block before it.
    void MoveNext();
    // Reads column nIndex (0-based) of the current row as text (SQL_C_CHAR);
    // the whole value, any length; a NULL reads as "". A failed read throws
    // CDBException*.
    void GetFieldValue(short nIndex, CString& strValue);
    // Column nIndex of the current row as the fetch left it in its bound
    // buffer, where it arrived whole: TRUE with the text and its length,
    // valid until the next move; FALSE where GetFieldValue must read it.
    BOOL GetBoundText(short nIndex, LPCSTR& pchText, int& nLength) const;
    // The rows that each fetch asks for: m_nRowsPerFetch where the driver
    // can read a value of any row of a block on its own, otherwise 1.
    SQLULEN RowsPerFetch() const                { return m_nBlockRows; }

    CString    m_strFilter;
    CString    m_strSort;
    // The most rows the data source hands over; 0 for all. Set before Open.
    SQLULEN    m_nMaxRows = 0;
    // What running the statement is, for the one who waits for it.
    DriverWork m_work = DriverWork::openingImport;
    // The rows a forward-only record set fetches at once, in a block, and
    // hands out one by one; set before Open. 1 fetches row by row.
    SQLULEN    m_nRowsPerFetch = 1;
    CString    m_strSQL;            // the statement as it was sent to the driver
    CDatabase* m_pDatabase;

private:
    struct CExceptionDeleter
    {
        void operator()(CException* pException) const { pException->Delete(); }
    };
    using CDBExceptionPtr = std::unique_ptr<CDBException, CExceptionDeleter>;

    // The rows each fetch asks for, set on the statement before it runs.
    void ChooseRowsPerFetch(UINT nOpenType, SQLUINTEGER nExtensions);
    void BindColumns(SQLUINTEGER nExtensions);
    // Fetches the next block (or row) and makes its first row current;
    // throws the failure of a fetch that gave no row.
    void FetchBlock();
    // After a fetch that failed, or failed on some of nRows rows: keeps the
    // failure, and returns how many rows of the block to hand out before
    // it (rows whose value did not convert among them).
    SQLULEN TakeFailedFetch(SQLRETURN nRetCode, SQLULEN nRows);
    // Makes row m_nRow of the block current; throws the failure when too
    // many rows in a row failed.
    void EnterRow();
    // Readies the current row of a block for reads of its own.
    void PositionOnRow();
    void ReadWholeValue(short nIndex, CString& strValue);

    CStatementHandle m_hstmt;
    // Per result column its bound texts, or null where the column is read
    // on its own.
    std::vector<std::unique_ptr<CBoundText>> m_boundColumns;
    SQLULEN m_nBlockRows = 1;
    // Written by each fetch: the status of each row of the block and how
    // many rows it fetched.
    std::vector<SQLUSMALLINT> m_rowStatus;
    SQLULEN m_nRowsFetched = 0;
    // The rows of the last fetch that are handed out, and the current one.
    SQLULEN m_nRowsInBlock = 0;
    SQLULEN m_nRow = 0;
    // The row of the block that reads of their own are positioned on.
    SQLULEN m_nPositionedRow = 0;
    // The failure of the last fetch: thrown once the rows before it are
    // handed out, unless it was a value that did not convert.
    CDBExceptionPtr m_pFailure;
    BOOL m_bFailureIsDataException = FALSE;
    // The failed fetch was a block's, and the rows after the failure never
    // came: reading ends after the rows before it, whatever the failure.
    BOOL m_bFailureEndsRows = FALSE;
    int m_nDataExceptionsInARow = 0;
    BOOL m_bEOF = TRUE;
    // The row came, but a value of it did not convert into its bound
    // buffer: the buffers of this row are not to be trusted, and each field
    // is read on its own.
    BOOL m_bReadFieldsAlone = FALSE;
};
