#include "PreviewBenchmark.h"

#include "BenchClock.h"
#include "UiRobot.h"
#include "dialogs/CFieldMapDlg.h"
#include "resource.h"
#include "session/ImportSession.h"
#include "session/Preview.h"

#include <cstdio>

PreviewTiming TimePreview(const std::string& dataSource, const std::string& table, const std::string columns[3])
{
    PreviewTiming timing;
    theSession.m_db.Close();
    theSession.m_strConnect = ("DSN=" + dataSource).c_str();
    CUiRobot robot;
    CStopwatch stopwatch;
    robot.Expect(IDD_FIELDMAP, {
        robot::SelectRow(IDC_COLUMN_LIST, columns[0]),
        robot::SetCheck(IDC_PAD, true), robot::Type(IDC_PAD_WIDTH, "8"), robot::Type(IDC_FILL, "0"),
        robot::ChooseEntryAt(IDC_OUTPUT_FIELD, 0), robot::SelectRow(IDC_COLUMN_LIST, columns[1]),
        robot::ChooseEntryAt(IDC_OUTPUT_FIELD, 2), robot::SelectRow(IDC_COLUMN_LIST, columns[2]),
        [&stopwatch](HWND hDlg, std::string& reason) {
            stopwatch = CStopwatch();
            return robot::Click(IDC_PREVIEW)(hDlg, reason);
        },
        robot::Click(IDCANCEL),
    });
    robot.Expect(IDD_PREVIEW, {
        [&](HWND hDlg, std::string&) {
            timing.dSeconds = stopwatch.Seconds();
            timing.nRows = (long)robot::ListRows(hDlg, IDC_PREVIEW_LIST).size();
            timing.strCount = robot::ControlText(hDlg, IDC_PREVIEW_COUNT);
            return StepResult::Done;
        },
        robot::Click(IDCANCEL),
    });
    CFieldMapDlg dlg(theSession);
    CColumnArrayOwner columnArray(dlg.m_pColumns, dlg.m_nColumns);
    CColumnArrayOwner conditionArray(dlg.m_pConditions, dlg.m_nConditions);
    dlg.m_strTable = table.c_str();
    dlg.m_showPreview = ShowPreview;
    dlg.DoModal();
    for (const std::string& failure : robot.Failures())
        std::printf("  robot: %s\n", failure.c_str());
    return timing;
}
