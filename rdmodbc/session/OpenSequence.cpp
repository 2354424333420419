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
#include <memory>

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

    // The field mapping of one table, with its column and condition arrays:
    // what the user sets in it lives until Open returns or the table step
    // leads to another table.
    struct FieldMappingStep
    {
        FieldMappingStep(const CString& strDataSource, const CString& strSchema, const CString& strTable)
        {
            dlg.m_strDataSource = strDataSource;
            dlg.m_strSchema = strSchema;
            dlg.m_strTable = strTable;
            dlg.m_showPreview = ShowPreview;
        }

        CFieldMapDlg dlg{theSession};
        CFieldMapArrays arrays{dlg};
    };

    MappingOutcome RunFieldMapping(CFieldMapDlg& dlg)
    {
        for (;;)
        {
            const INT_PTR nResult = dlg.DoModal();
            // Whatever the user set is there the next time the dialog comes:
            // after a failed open, and after Back onto the same table.
            dlg.m_bKeepChoices = TRUE;
            if (nResult != IDOK)
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
            // date the server refuses, a server that went away) and try
            // again, or to give up.
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
    std::unique_ptr<FieldMappingStep> pMapping;
    for (;;)
    {
        if (!RunDataSourceDialog(strDataSource, strSchema, strTable, &nIncludeViews, bReturning))
        {
            theSession.m_db.Close();
            return 0;
        }
        if (!pMapping || pMapping->dlg.m_strDataSource != strDataSource || pMapping->dlg.m_strSchema != strSchema
            || pMapping->dlg.m_strTable != strTable)
        {
            pMapping.reset();
            pMapping = std::make_unique<FieldMappingStep>(strDataSource, strSchema, strTable);
        }
        switch (RunFieldMapping(pMapping->dlg))
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
