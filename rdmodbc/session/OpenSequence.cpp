#include "OpenSequence.h"

#include "ImportSession.h"
#include "MappedImport.h"
#include "Preview.h"
#include "RDMODBCApp.h"
#include "dialogs/CDataSourceDlg.h"
#include "dialogs/CFieldMapDlg.h"
#include "langres/ResLoader.h"
#include "langres/ResString.h"
#include "resource.h"

#include <cstdlib>
#include <cstring>

namespace
{
    void SetApplicationTitle(const CString& strTitle)
    {
        CWinApp* pApp = AfxGetApp();
        free((void*)pApp->m_pszAppName);
        pApp->m_pszAppName = _strdup(strTitle);
    }

    enum MappingOutcome { mappingCancelled, mappingBack, mappingOpened };

    // Opens the record set of the dialog's choices: TRUE when it is open;
    // FALSE when it or the connection failed, after the driver's message.
    BOOL OpenMappedImport(const CFieldMapDlg& dlg)
    {
        MappedImport import(dlg);
        try
        {
            return theSession.OpenRecordSet(dlg.m_strTable, import.astrColumns, import.aOptions, import.filters.data(),
                                            (int)import.filters.size(), dlg.m_bUseConditions, dlg.m_aSortKeys,
                                            dlg.m_strSchema);
        }
        catch (CException* pException)
        {
            ReportAndDelete(pException);
            return FALSE;
        }
    }

    MappingOutcome RunFieldMapping(const CString& strDataSource, const CString& strSchema, const CString& strTable)
    {
        CFieldMapDlg dlg(theSession);
        CFieldMapArrays arrays(dlg);
        dlg.m_strDataSource = strDataSource;
        dlg.m_strSchema = strSchema;
        dlg.m_strTable = strTable;
        dlg.m_showPreview = ShowPreview;
        for (;;)
        {
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
            if (OpenMappedImport(dlg))
                return mappingOpened;
            // The driver's message has been shown. The user gets the dialog
            // back as they left it, to mend the cause (a typed condition, a
            // date the server refuses, a server that went away) or to give up.
            dlg.m_bKeepChoices = TRUE;
        }
    }
}

BOOL RunDataSourceDialog(CString& strDataSource, CString& strSchema, CString& strTable, int* pnIncludeViews,
                         BOOL bReturning)
{
    CDataSourceDlg dlg(theSession);
    dlg.m_strDataSource = strDataSource;
    dlg.m_strSchema = strSchema;
    dlg.m_strTable = strTable;
    dlg.m_bIncludeViews = *pnIncludeViews;
    dlg.m_bReconnect = bReturning;
    if (dlg.DoModal() != IDOK)
        return FALSE;
    strDataSource = dlg.m_strDataSource;
    strSchema = dlg.m_strSchema;
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
    CString strSchema;
    CString strTable;
    int nIncludeViews = 1;
    BOOL bReturning = FALSE;
    for (;;)
    {
        if (!RunDataSourceDialog(strDataSource, strSchema, strTable, &nIncludeViews, bReturning))
        {
            theSession.m_db.Close();
            return 0;
        }
        switch (RunFieldMapping(strDataSource, strSchema, strTable))
        {
        case mappingBack:
            bReturning = TRUE;
            continue;
        case mappingOpened:
            return 1;
        case mappingCancelled:
            return 0;
        }
    }
}
