#include "Preview.h"

#include "FieldFormat.h"
#include "ImportSession.h"
#include "Statement.h"
#include "dialogs/CFieldMapDlg.h"
#include "dialogs/CPreviewDlg.h"
#include "framework/CDBException.h"
#include "framework/CUserException.h"
#include "langres/ResString.h"
#include "resource.h"

#include <cstdlib>

namespace
{
    // The preview shows the first rows only, and reads no more.
    const int PREVIEW_ROWS = 100;
    // Longer values are cut for display.
    const int PREVIEW_VALUE_LENGTH = 200;

    // The number with the user's thousands separator: 1,234.
    CString GroupDigits(long long nNumber)
    {
        char szSeparator[8] = ",";
        ::GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_STHOUSAND, szSeparator, sizeof szSeparator);
        CString strDigits;
        strDigits.Format("%lld", nNumber);
        CString strGrouped;
        for (int i = 0; i < strDigits.GetLength(); ++i)
        {
            int nLeft = strDigits.GetLength() - i;
            if (i > 0 && nLeft % 3 == 0 && strDigits.GetAt(i - 1) != '-')
                strGrouped += szSeparator;
            strGrouped += strDigits.GetAt(i);
        }
        return strGrouped;
    }

    // How many rows the data source counts for the statement; "unknown"
    // when it cannot tell (a driver without derived tables, a failure).
    CString CountRows(CDatabase& db, const CString& strStatement, const CString& strFilter)
    {
        try
        {
            CRecordset count(&db);
            count.m_work = DriverWork::countingRows;
            count.Open(CRecordset::forwardOnly, ComposeRowCount(strStatement, strFilter), CRecordset::readOnly);
            CString strNumber;
            if (!count.IsEOF())
                count.GetFieldValue(0, strNumber);
            char* pszEnd = nullptr;
            long long nRows = std::strtoll(strNumber, &pszEnd, 10);
            if (!strNumber.IsEmpty() && *pszEnd == '\0')
            {
                CString strText;
                if (nRows == 1)
                    return LoadResString(IDS_PREVIEW_ONE_ROW);
                strText.Format(LoadResString(IDS_PREVIEW_ROWS), (LPCSTR)GroupDigits(nRows));
                return strText;
            }
        }
        catch (CUserException*)
        {
            // The user's Cancel ends the preview, not only its count.
            throw;
        }
        catch (CException* pException)
        {
            pException->Delete();
        }
        return LoadResString(IDS_PREVIEW_COUNT_UNKNOWN);
    }
}

void ShowPreview(const CFieldMapDlg& dlg)
{
    ImportChoices choices;
    dlg.StoreChoices(choices);
    CPreviewDlg preview;
    for (int k = 0; k < OUTPUT_FIELDS; ++k)
        preview.m_astrHeadings[k] = dlg.FieldLabel(k);
    try
    {
        CDatabase db;
        if (!db.OpenEx(theSession.m_strConnect, CDatabase::openReadOnly))
            return;
        const ComposedImport composed = ComposeImport(choices, theSession.m_dialect);
        CRecordset rows(&db);
        rows.m_nMaxRows = PREVIEW_ROWS;
        OpenComposedImport(rows, composed, theSession.m_dialect);

        char aszFields[OUTPUT_FIELDS][PREVIEW_VALUE_LENGTH + 1];
        LPSTR alpszFields[OUTPUT_FIELDS] = {aszFields[0], aszFields[1], aszFields[2], aszFields[3]};
        const int anMaxChars[OUTPUT_FIELDS] = {PREVIEW_VALUE_LENGTH, PREVIEW_VALUE_LENGTH, PREVIEW_VALUE_LENGTH,
                                               PREVIEW_VALUE_LENGTH};
        CString strValue;
        while (!rows.IsEOF() && (int)preview.m_rows.size() < PREVIEW_ROWS)
        {
            DeliverRow(rows, composed.aFields, strValue, alpszFields, anMaxChars);
            preview.m_rows.push_back({aszFields[0], aszFields[1], aszFields[2], aszFields[3]});
            rows.MoveNext();
        }
        rows.Close();
        preview.m_strCount = CountRows(db, composed.strStatement, composed.strFilter);
    }
    catch (CException* pException)
    {
        pException->ReportError(MB_OK);
        pException->Delete();
        return;
    }
    preview.DoModal();
}
