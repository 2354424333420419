#include "OpenSequence.h"

#include "ImportSession.h"
#include "LastImport.h"
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

    // Opens the record set of the choices: TRUE when it is open; FALSE when
    // it or the connection failed, after the driver's message.
    BOOL OpenChosenImport(const ImportChoices& choices)
    {
        try
        {
            return theSession.OpenRecordSet(choices);
        }
        catch (CException* pException)
        {
            ReportAndDelete(pException);
            return FALSE;
        }
    }

    // The field mapping of one table: what the user sets in it lives until
    // Open returns or the table step leads to another table. The choices
    // go into the dialog once and come back from it at each OK.
    struct FieldMappingStep
    {
        explicit FieldMappingStep(const ImportChoices& offered) : choices(offered)
        {
            dlg.LoadChoices(choices);
            dlg.m_showPreview = ShowPreview;
        }

        ImportChoices choices;
        CFieldMapDlg dlg{theSession};
        // The dialog hands its arrays to the Open sequence, whatever its end.
        CColumnArrayOwner columns{dlg.m_pColumns, dlg.m_nColumns};
        CColumnArrayOwner conditions{dlg.m_pConditions, dlg.m_nConditions};
    };

    // The field mapping of the table: afresh, or with the last import's
    // fields, conditions and order when it was made on this table. What the
    // table no longer has is left out once the columns are read.
    std::unique_ptr<FieldMappingStep> MapTable(const TableChoice& table, const LastImport* pLast)
    {
        if (pLast == nullptr || !IsSameTable(pLast->choices.table, table))
        {
            ImportChoices fresh;
            fresh.table = table;
            return std::make_unique<FieldMappingStep>(fresh);
        }
        auto pStep = std::make_unique<FieldMappingStep>(pLast->choices);
        pStep->dlg.m_bKeepChoices = TRUE;
        pStep->dlg.m_bRemembered = TRUE;
        if (pLast->bReadingKnown)
            pStep->dlg.m_rememberedReading = pLast->reading;
        return pStep;
    }

    void RememberImport(const ImportChoices& choices)
    {
        LastImport last;
        last.choices = choices;
        last.bReadingKnown = TRUE;
        last.reading = theSession.m_dialect;
        SaveLastImport(last);
    }

    MappingOutcome RunFieldMapping(FieldMappingStep& step)
    {
        CFieldMapDlg& dlg = step.dlg;
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
            dlg.StoreChoices(step.choices);
            if (OpenChosenImport(step.choices))
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
    TableChoice table = bRemembered ? last.choices.table : TableChoice();
    BOOL bReturning = FALSE;
    std::unique_ptr<FieldMappingStep> pMapping;
    for (;;)
    {
        if (!RunDataSourceDialog(table, bReturning))
        {
            theSession.m_db.Close();
            return 0;
        }
        if (!pMapping || !IsSameTable(pMapping->choices.table, table))
        {
            pMapping.reset();
            pMapping = MapTable(table, bRemembered ? &last : nullptr);
        }
        pMapping->choices.table = table;
        switch (RunFieldMapping(*pMapping))
        {
        case mappingBack:
            bReturning = TRUE;
            continue;
        case mappingOpened:
            RememberImport(pMapping->choices);
            return 1;
        case mappingCancelled:
            return 0;
        }
    }
}
