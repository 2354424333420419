#include "ImportSession.h"

#include "FieldFormat.h"
#include "Statement.h"
#include "dialogs/CProgressDlg.h"
#include "dialogs/FailureAdvice.h"
#include "framework/CDBException.h"
#include "framework/CWinApp.h"

#include <algorithm>
#include <new>

namespace
{
    alignas(ImportSession) unsigned char s_sessionStorage[sizeof(ImportSession)];
}

ImportSession& theSession = *new (s_sessionStorage) ImportSession;

ImportSession::ImportSession()
{
    m_fields[PRIMARY_FIELD_INDEX].m_nColumn = 0;
    // Every driver failure the module shows says first what to do about it.
    CDBException::s_pfnAdvice = FailureAdvice;
    // Long work in the driver shows itself and can be cancelled.
    SetDriverWaiter(WaitWithProgress);
}

int ImportSession::OpenRecordSet(const ImportChoices& choices)
{
    // A record set left from an earlier session is released, not leaked,
    // and before its connection: a driver refuses to disconnect while a
    // statement of the connection is allocated.
    m_pRecordset.reset();
    m_db.Close();
    ReopenForImport(*this);
    m_pRecordset = std::make_unique<CRecordset>(&m_db);
    m_pRecordset->m_nRowsPerFetch = m_nRowsPerFetch;

    try
    {
        // As the data source reads SQL now that it is connected again.
        const ComposedImport composed = ComposeImport(choices, m_dialect);
        std::copy(std::begin(composed.aFields), std::end(composed.aFields), m_fields);
        OpenComposedImport(*m_pRecordset, composed, m_dialect);
    }
    catch (CException* pException)
    {
        // A failure is told; the user's own Cancel is not. Nothing stays
        // open of either.
        pException->ReportError(MB_OK);
        m_pRecordset->Close();
        m_db.Close();
        pException->Delete();
        return 0;
    }
    return 1;
}

int ImportSession::MoveNext(LPSTR alpszFields[OUTPUT_FIELDS], const int anMaxChars[OUTPUT_FIELDS])
{
    if (m_pRecordset == nullptr)
        return 0;
    if (m_pRecordset->IsEOF())
    {
        EndReading();
        return 0;
    }

    DeliverRow(*m_pRecordset, m_fields, m_strValue, alpszFields, anMaxChars);

    try
    {
        m_pRecordset->MoveNext();
    }
    catch (CException* pException)
    {
        // The row is delivered; the data source failed behind it. The host
        // cannot catch our exceptions, so the error is shown and reading ends.
        ReportAndDelete(pException);
        EndReading();
    }
    return 1;
}

void ImportSession::EndReading()
{
    m_pRecordset.reset();
    m_db.Close();
}

void ReportAndDelete(CException* pException)
{
    AFX_MAINTAIN_STATE2 moduleState(AfxGetStaticModuleState());
    pException->ReportError(MB_OK);
    pException->Delete();
}
