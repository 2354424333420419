#include "CatalogBenchmark.h"

#include "BenchClock.h"
#include "RawConnection.h"
#include "UiRobot.h"
#include "dialogs/CDataSourceDlg.h"
#include "dialogs/CFieldMapDlg.h"
#include "langres/ResString.h"
#include "odbc/Connection.h"
#include "odbc/TableCatalog.h"
#include "resource.h"

#include <cstdio>
#include <vector>

namespace
{
    const int nNameSize = 257;

    long ListRowCount(HWND hDlg, int nList)
    {
        return (long)::SendDlgItemMessageA(hDlg, nList, LVM_GETITEMCOUNT, 0, 0);
    }

    // The field-mapping dialog with its fill in reach, so that the fill
    // itself is timed and not the dialog's start or the robot's pace.
    class CBenchFieldMapDlg : public CFieldMapDlg
    {
    public:
        using CFieldMapDlg::CFieldMapDlg;
        using CFieldMapDlg::FillColumnList;
    };
}

CatalogTiming TimeBareTables(const std::string& dataSource, bool bWithConnect)
{
    CatalogTiming timing;
    CStopwatch connecting;
    CRawConnection connection("DSN=" + dataSource);
    CStopwatch stopwatch;
    CStatementHandle hstmt;
    hstmt.Allocate(connection.Handle());
    char aszFields[3][nNameSize];
    SQLLEN anIndicators[3];
    if (SQL_SUCCEEDED(::SQLTables(hstmt, nullptr, 0, nullptr, 0, nullptr, 0, nullptr, 0)))
    {
        for (int i = 0; i < 3; ++i)
            ::SQLBindCol(hstmt, (SQLUSMALLINT)(i + 3), SQL_C_CHAR, aszFields[i], nNameSize, &anIndicators[i]);
        while (SQL_SUCCEEDED(::SQLFetch(hstmt)))
            ++timing.nRows;
    }
    hstmt.Free();
    timing.dSeconds = bWithConnect ? connecting.Seconds() : stopwatch.Seconds();
    return timing;
}

CatalogTiming TimeReadTableCatalog(const std::string& dataSource)
{
    CatalogTiming timing;
    SessionConnection connection;
    OpenConnection(connection, dataSource.c_str(), FALSE);
    CStopwatch stopwatch;
    std::vector<TableRow> rows;
    ReadTableCatalog(connection.m_db, TRUE, TRUE, rows);
    timing.dSeconds = stopwatch.Seconds();
    timing.nRows = (long)rows.size();
    return timing;
}

CatalogTiming TimeTableStep(const std::string& dataSource)
{
    CatalogTiming timing;
    CUiRobot robot;
    robot.IdentifyTemplateBy(IDC_DSN_TYPE, IDD_DATASOURCE);
    robot.Expect(IDD_DATASOURCE, {
        robot::SelectRow(IDC_SOURCE_LIST, dataSource),
        [&timing](HWND hDlg, std::string&) {
            // OK runs the whole step at once: placeholder, connection,
            // catalog, entries and rows.
            CStopwatch stopwatch;
            ::SendMessageA(hDlg, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), (LPARAM)::GetDlgItem(hDlg, IDOK));
            timing.dSeconds = stopwatch.Seconds();
            timing.nRows = ListRowCount(hDlg, IDC_SOURCE_LIST);
            return robot::WindowText(hDlg) == LoadResString(IDS_TITLE_TABLE).Str() ? StepResult::Done
                                                                                    : StepResult::Failed;
        },
        robot::Click(IDCANCEL),
    });
    SessionConnection connection;
    CDataSourceDlg dlg(connection);
    dlg.DoModal();
    for (const std::string& failure : robot.Failures())
        std::printf("  robot: %s\n", failure.c_str());
    return timing;
}

CatalogTiming TimeBareColumns(const std::string& dataSource, const std::string& table, bool bTypeInfo)
{
    CatalogTiming timing;
    CStopwatch stopwatch;
    CRawConnection connection("DSN=" + dataSource);
    CStatementHandle hstmt;
    hstmt.Allocate(connection.Handle());
    char szName[nNameSize], szType[nNameSize];
    SQLSMALLINT anTypes[3];
    SQLLEN anIndicators[5];
    std::vector<SQLSMALLINT> dataTypes;
    if (SQL_SUCCEEDED(::SQLColumns(hstmt, nullptr, 0, nullptr, 0, (SQLCHAR*)table.c_str(), SQL_NTS, nullptr, 0)))
    {
        ::SQLBindCol(hstmt, 4, SQL_C_CHAR, szName, sizeof szName, &anIndicators[0]);
        ::SQLBindCol(hstmt, 5, SQL_C_SSHORT, &anTypes[0], 0, &anIndicators[1]);
        ::SQLBindCol(hstmt, 6, SQL_C_CHAR, szType, sizeof szType, &anIndicators[2]);
        ::SQLBindCol(hstmt, 14, SQL_C_SSHORT, &anTypes[1], 0, &anIndicators[3]);
        ::SQLBindCol(hstmt, 15, SQL_C_SSHORT, &anTypes[2], 0, &anIndicators[4]);
        while (SQL_SUCCEEDED(::SQLFetch(hstmt)))
            dataTypes.push_back(anTypes[0]);
    }
    hstmt.Free();
    for (size_t i = 0; bTypeInfo && i < dataTypes.size(); ++i)
    {
        CStatementHandle hTypeInfo;
        hTypeInfo.Allocate(connection.Handle());
        SQLSMALLINT anInfo[5] = {};
        SQLLEN anInfoIndicators[5];
        if (SQL_SUCCEEDED(::SQLGetTypeInfo(hTypeInfo, dataTypes[i])))
        {
            const SQLUSMALLINT anColumns[5] = {2, 9, 7, 16, 17};
            for (int k = 0; k < 5; ++k)
                ::SQLBindCol(hTypeInfo, anColumns[k], SQL_C_SSHORT, &anInfo[k], 0, &anInfoIndicators[k]);
            ::SQLFetch(hTypeInfo);
        }
    }
    timing.dSeconds = stopwatch.Seconds();
    timing.nRows = (long)dataTypes.size();
    return timing;
}

CatalogTiming TimeColumnList(const std::string& dataSource, const std::string& table)
{
    CatalogTiming timing;
    SessionConnection connection;
    connection.m_strConnect = ("DSN=" + dataSource).c_str();
    CUiRobot robot;
    robot.IdentifyTemplateBy(IDC_COLUMN_LIST, IDD_FIELDMAP);
    CBenchFieldMapDlg dlg(connection);
    CColumnArrayOwner columnArray(dlg.m_pColumns, dlg.m_nColumns);
    CColumnArrayOwner conditionArray(dlg.m_pConditions, dlg.m_nConditions);
    dlg.m_strTable = table.c_str();
    robot.Expect(IDD_FIELDMAP, {
        robot::WaitUntil([](HWND hDlg) { return ListRowCount(hDlg, IDC_COLUMN_LIST) > 1; }, "the first fill"),
        [&timing, &dlg](HWND hDlg, std::string&) {
            CStopwatch stopwatch;
            dlg.FillColumnList();
            timing.dSeconds = stopwatch.Seconds();
            timing.nRows = ListRowCount(hDlg, IDC_COLUMN_LIST);
            return StepResult::Done;
        },
        robot::Click(IDCANCEL),
    });
    dlg.DoModal();
    for (const std::string& failure : robot.Failures())
        std::printf("  robot: %s\n", failure.c_str());
    return timing;
}
