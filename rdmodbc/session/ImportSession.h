#pragma once
// The one import session of the module: its connection, its record set, the
// loaded language module and the four output fields.
#include "framework/CException.h"
#include "framework/CRecordset.h"
#include "odbc/Connection.h"
#include "query/ImportChoices.h"

#include <memory>

class ImportSession : public SessionConnection
{
public:
    ImportSession();
    ImportSession(const ImportSession&) = delete;
    ImportSession& operator=(const ImportSession&) = delete;

    // Reconnects read-only, composes the import of the choices as the data
    // source reads SQL once reconnected, and opens the record set on its
    // first row. 1 when open; 0 when it failed to open, or a condition was
    // refused, after the reason was shown, or the user cancelled it. Connection failures throw
    // CDBException*.
    int OpenRecordSet(const ImportChoices& choices);
    // Delivers the current row into the four buffers and moves on; 0 when
    // there is no row (and reading ends).
    int MoveNext(LPSTR alpszFields[OUTPUT_FIELDS], const int anMaxChars[OUTPUT_FIELDS]);
    // Deletes the record set and closes the connection.
    void EndReading();

    std::unique_ptr<CRecordset> m_pRecordset;
    HMODULE     m_hResModule = nullptr;
    // The rows the import fetches at once where the driver serves blocks: a
    // call into the driver (through the driver manager, and Wine's under
    // Wine) for a few hundred rows instead of each, in about 260 KB of
    // buffers for four columns. 1 reads row by row.
    SQLULEN     m_nRowsPerFetch = 256;
    OutputField m_fields[OUTPUT_FIELDS];

private:
    // The value of the field being delivered. It lives from row to row, so
    // that a million rows reuse its room instead of allocating it anew for
    // every field.
    CString m_strValue;
};

// The session lives as long as the process and is never destroyed: a host
// may end without Close, and at unload, under the loader lock, no driver may
// be called.
extern ImportSession& theSession;

// The framework's error report, made in the module's own state so that it
// carries the module's title, and the exception deleted.
void ReportAndDelete(CException* pException);
