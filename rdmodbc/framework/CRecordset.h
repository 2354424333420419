#pragma once
// A result set of one statement on an open CDatabase, in the manner of the
// framework's CRecordset: opened on its first row, moved one row at a time,
// fields read as text. The filter becomes the statement's WHERE clause, the
// sort its ORDER BY clause.
#include "CBoundText.h"
#include "CDatabase.h"

#include <memory>
#include <vector>

class CRecordset
{
public:
    enum OpenType { snapshot = 1, forwardOnly = 2 };
    enum OpenOptions { none = 0x0, readOnly = 0x0004 };

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

    // Moves to the next row. A row whose fetch failed on a value that did
    // not convert (SQLSTATE class 22) still counts as a row: its fields are
    // read one by one, and the failing one fails again on its own. Any other
    // failure throws CDBException*.
    void MoveNext();
    // Reads column nIndex (0-based) of the current row as text (SQL_C_CHAR);
    // the whole value, any length; a NULL reads as "". A failed read throws
    // CDBException*.
    void GetFieldValue(short nIndex, CString& strValue);

    CString    m_strFilter;
    CString    m_strSort;
    // The most rows the data source hands over; 0 for all. Set before Open.
    SQLULEN    m_nMaxRows = 0;
    CString    m_strSQL;            // the statement as it was sent to the driver
    CDatabase* m_pDatabase;

private:
    void BindColumns();
    // The last call on the statement failed on a value that did not
    // convert (SQLSTATE class 22, "data exception").
    BOOL IsDataException() const;
    void ReadWholeValue(short nIndex, CString& strValue);

    CStatementHandle m_hstmt;
    // Per result column its bound text, or null where the column is read
    // on its own.
    std::vector<std::unique_ptr<CBoundText>> m_boundColumns;
    BOOL m_bEOF = TRUE;
    // The row came, but a value of it did not convert into its bound
    // buffer: the buffers of this row are not to be trusted, and each field
    // is read on its own.
    BOOL m_bReadFieldsAlone = FALSE;
};
