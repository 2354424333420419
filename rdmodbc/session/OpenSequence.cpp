#include "OpenSequence.h"

#include "ImportSession.h"
#include "LastImport.h"
#include "FieldMappingImport.h"
#include "Preview.h"
#include "RDMODBCApp.h"
#include "dialogs/CDataSourceDlg.h"
#include "dialogs/CFieldMapDlg.h"
#include "langres/ResLoader.h"
#include "langres/ResString.h"
#include "resource.h"

#include <algorithm>
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
        try
        {
            return theSession.OpenRecordSet(FieldMappingImport(dlg, theSession.m_dialect));
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
        explicit FieldMappingStep(const TableChoice& table) : table(table)
        {
            dlg.m_strDataSource = table.strDataSource;
            dlg.m_strSchema = table.strSchema;
            dlg.m_strTable = table.strTable;
            dlg.m_showPreview = ShowPreview;
        }

        TableChoice table;
        CFieldMapDlg dlg{theSession};
        // The dialog hands its arrays to the Open sequence, whatever its end.
        CColumnArrayOwner columns{dlg.m_pColumns, dlg.m_nColumns};
        CColumnArrayOwner conditions{dlg.m_pConditions, dlg.m_nConditions};
    };

    // The field mapping starts with the last import's fields, conditions and
    // order; it leaves out what the table no longer has once it has read
    // the columns.
    void OfferLastImport(CFieldMapDlg& dlg, const LastImport& last)
    {
        std::copy(std::begin(last.aFields), std::end(last.aFields), dlg.m_aMap);
        RecallConditions(last.conditions, dlg.m_pConditions, dlg.m_nConditions);
        dlg.m_bUseConditions = last.bUseConditions;
        std::copy(std::begin(last.aSortKeys), std::end(last.aSortKeys), dlg.m_aSortKeys);
        dlg.m_bKeepChoices = TRUE;
        dlg.m_bRemembered = TRUE;
        if (last.bReadingKnown)
            dlg.m_rememberedReading = last.reading;
    }

    void RememberImport(const TableChoice& table, const CFieldMapDlg& dlg)
    {
        LastImport last;
        last.table = table;
        std::copy(std::begin(dlg.m_aMap), std::end(dlg.m_aMap), last.aFields);
        last.conditions = RememberConditions(dlg.m_pConditions, dlg.m_nConditions);
        last.bUseConditions = dlg.m_bUseConditions;
        last.bReadingKnown = TRUE;
        last.reading = theSession.m_dialect;
        std::copy(std::begin(dlg.m_aSortKeys), std::end(dlg.m_aSortKeys), last.aSortKeys);
        SaveLastImport(last);
    }

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

BOOL RunDataSourceDialog(TableChoice& choice, BOOL bReturning)
{
    CDataSourceDlg dlg(theSession);
    dlg.m_strDataSource = choice.strDataSource;
    dlg.m_nDsnType = choice.nDsnType;
    dlg.m_strSchema = choice.strSchema;
    dlg.m_strTable = choice.strTable;
    dlg.m_bIncludeViews = choice.nIncludeViews;
    dlg.m_bReconnect = bReturning;
    if (dlg.DoModal() != IDOK)
        return FALSE;
    choice.strDataSource = dlg.m_strDataSource;
    choice.nDsnType = dlg.m_nDsnType;
    choice.strSchema = dlg.m_strSchema;
    choice.strTable = dlg.m_strTable;
    choice.nIncludeViews = dlg.m_bIncludeViews;
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

    // The last import that opened is offered again: its data source and
    // table, and on that table its fields, conditions and order.
    LastImport last;
    const BOOL bRemembered = LoadLastImport(last);
    TableChoice table = bRemembered ? last.table : TableChoice();
    BOOL bReturning = FALSE;
    std::unique_ptr<FieldMappingStep> pMapping;
    for (;;)
    {
        if (!RunDataSourceDialog(table, bReturning))
        {
            theSession.m_db.Close();
            return 0;
        }
        if (!pMapping || !IsSameTable(pMapping->table, table))
        {
            pMapping.reset();
            pMapping = std::make_unique<FieldMappingStep>(table);
            if (bRemembered && IsSameTable(last.table, table))
                OfferLastImport(pMapping->dlg, last);
        }
        switch (RunFieldMapping(pMapping->dlg))
        {
        case mappingBack:
            bReturning = TRUE;
            continue;
        case mappingOpened:
            RememberImport(table, pMapping->dlg);
            return 1;
        case mappingCancelled:
            return 0;
        }
    }
}
