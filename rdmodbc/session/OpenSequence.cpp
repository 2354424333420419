#include "OpenSequence.h"

#include "ImportSession.h"
#include "RDMODBCApp.h"
#include "dialogs/CDataSourceDlg.h"
#include "dialogs/CFieldMapDlg.h"
#include "langres/ResLoader.h"
#include "langres/ResString.h"
#include "query/Condition.h"
#include "resource.h"

#include <cstdlib>
#include <cstring>

namespace
{
    // The field-mapping dialog hands its column and condition arrays to
    // Open, which frees them on every path once the dialog has run.
    class CFieldMapArrays
    {
    public:
        explicit CFieldMapArrays(CFieldMapDlg& dlg) : m_dlg(dlg) {}
        ~CFieldMapArrays()
        {
            FreeColumnArray(m_dlg.m_pColumns, m_dlg.m_nColumns);
            FreeColumnArray(m_dlg.m_pConditions, m_dlg.m_nConditions);
        }
        CFieldMapArrays(const CFieldMapArrays&) = delete;
        CFieldMapArrays& operator=(const CFieldMapArrays&) = delete;
    private:
        CFieldMapDlg& m_dlg;
    };

    void SetApplicationTitle(const CString& strTitle)
    {
        CWinApp* pApp = AfxGetApp();
        free((void*)pApp->m_pszAppName);
        pApp->m_pszAppName = _strdup(strTitle);
    }

    enum MappingOutcome { mappingCancelled, mappingBack, mappingOpened, mappingFailed };

    MappingOutcome RunFieldMapping(const CString& strDataSource, const CString& strTable)
    {
        CFieldMapDlg dlg(theSession);
        CFieldMapArrays arrays(dlg);
        dlg.m_strDataSource = strDataSource;
        dlg.m_strTable = strTable;
        if (dlg.DoModal() != IDOK)
        {
            theSession.m_db.Close();
            return mappingCancelled;
        }
        if (dlg.m_bBack)
        {
            theSession.m_db.Close();
            return mappingBack;
        }

        CString astrColumns[OUTPUT_FIELDS];
        OutputField aOptions[OUTPUT_FIELDS];
        for (int k = 0; k < OUTPUT_FIELDS; ++k)
        {
            astrColumns[k] = dlg.m_aMap[k].m_strColumn;
            aOptions[k] = dlg.m_aMap[k];
        }
        std::vector<const char*> filters =
            ConditionFilterTexts(dlg.m_pConditions, dlg.m_nConditions, dlg.m_bUseConditions);
        int nResult = theSession.OpenRecordSet(strTable, astrColumns, aOptions, filters.data(), (int)filters.size(),
                                               dlg.m_bUseConditions, dlg.m_aSortKeys);
        return nResult ? mappingOpened : mappingFailed;
    }
}

BOOL RunDataSourceDialog(CString& strDataSource, CString& strTable, int* pnIncludeViews, BOOL bReturning)
{
    CDataSourceDlg dlg(theSession);
    dlg.m_strDataSource = strDataSource;
    dlg.m_strTable = strTable;
    dlg.m_bIncludeViews = *pnIncludeViews;
    dlg.m_bReconnect = bReturning;
    if (dlg.DoModal() != IDOK)
        return FALSE;
    strDataSource = dlg.m_strDataSource;
    strTable = dlg.m_strTable;
    *pnIncludeViews = dlg.m_bIncludeViews;
    return TRUE;
}

int OpenImportSession()
{
    AFX_MAINTAIN_STATE2 moduleState(AfxGetStaticModuleState());

    // A host that did not close the previous session gets it released here
    // rather than leaked: record set, connection and language module.
    theSession.EndReading();
    resFree(theSession.m_hResModule);
    theSession.m_hResModule = nullptr;

    resInit("RDMODBCRes", &theSession.m_hResModule);
    AfxGetModuleState()->m_hCurrentResourceHandle = theSession.m_hResModule;
    SetApplicationTitle(LoadResString(IDS_APP_TITLE));

    CString strDataSource;
    CString strTable;
    int nIncludeViews = 1;
    BOOL bReturning = FALSE;
    for (;;)
    {
        if (!RunDataSourceDialog(strDataSource, strTable, &nIncludeViews, bReturning))
        {
            theSession.m_db.Close();
            return 0;
        }
        switch (RunFieldMapping(strDataSource, strTable))
        {
        case mappingBack:
            bReturning = TRUE;
            continue;
        case mappingOpened:
            return 1;
        case mappingCancelled:
        case mappingFailed:
            return 0;
        }
    }
}
