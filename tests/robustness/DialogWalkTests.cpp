// A seeded random walk through the real dialogs: session after session the
// host calls RDMODBCOpen from its window, and a user who tries everything
// (DialogWalker.h) acts on the dialogs of the sample data until Open
// returns, with clicks and keys, on the dialog shown and on the windows under
// it; the host then reads every row and closes. Each session must end with
// Open returning 0 or 1, every message box answered, no dialog left behind,
// nothing under the dialog shown taking a click, no hang and, when Open
// returned 1, the rows read to their end; the heaps must not grow over the
// sessions. 500 sessions run with the tests; RDM_WALK_SESSIONS=N runs N,
// RDM_WALK_SEED=S another walk, RDM_WALK_FIRST=K starts at session K (with
// RDM_WALK_SESSIONS=1 it plays that one session again), and RDM_WALK_TRACE=1
// writes each act to standard error as it is taken, and each session's acts
// as a script of the robot.
#include "DialogWalker.h"
#include "HeapUse.h"
#include "HostWindow.h"
#include "ImportRun.h"
#include "RDMODBC.h"
#include "resource.h"

#include <gtest/gtest.h>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>

namespace
{
    unsigned long Setting(const char* pszName, unsigned long nDefault)
    {
        const char* pszValue = std::getenv(pszName);
        return pszValue && *pszValue ? std::strtoul(pszValue, nullptr, 10) : nDefault;
    }

    // The sample data, the same customers as the engine tests have them, and
    // the sample on a data source that takes 0.7 s for each query and
    // catalog call, so that the window of long work comes up.
    const std::vector<std::string> kDataSources = {"RDM Sample", "rdm_engine_sqlite", "rdm_walk_busy"};
    // After so many acts the user presses Cancel until the session ends.
    const int kStepLimit = 40;
    // The shortest tick Wine gives a timer.
    const UINT kTickMs = 10;
    // A session that runs longer than this has hung.
    const DWORD kSessionTimeoutMs = 60000;
    // The sample tables have a dozen rows; more means the end never came.
    const size_t kMaxRows = 10000;
    // The first sessions fill the system's caches: 32-bit Wine keeps 24 KB
    // once, in the walk's twelfth to fifteenth session, and never again.
    const int kWarmUpSessions = 20;

    const int kTemplates[] = {IDD_DATASOURCE, IDD_FIELDMAP, IDD_CONDITIONLIST, IDD_CONDITION,
                              IDD_TEXTENTRY,  IDD_SORT,     IDD_PREVIEW,       IDD_PROGRESS};

    // Ends the process with a message when a session does not end in time:
    // a hang in the module must not wait for the test run's own timeout.
    class CSessionWatchdog
    {
    public:
        explicit CSessionWatchdog(unsigned long nSeed) : m_nSeed(nSeed)
        {
            m_hBeat = ::CreateEventA(nullptr, FALSE, FALSE, nullptr);
            m_hThread = ::CreateThread(nullptr, 0, Watch, this, 0, nullptr);
        }
        ~CSessionWatchdog()
        {
            m_bStop = true;
            ::SetEvent(m_hBeat);
            ::WaitForSingleObject(m_hThread, kSessionTimeoutMs);
            ::CloseHandle(m_hThread);
            ::CloseHandle(m_hBeat);
        }
        CSessionWatchdog(const CSessionWatchdog&) = delete;
        CSessionWatchdog& operator=(const CSessionWatchdog&) = delete;

        void Starting(unsigned long nSession)
        {
            m_nSession = nSession;
            ::SetEvent(m_hBeat);
        }

    private:
        static DWORD WINAPI Watch(LPVOID pParam)
        {
            auto* pThis = (CSessionWatchdog*)pParam;
            while (::WaitForSingleObject(pThis->m_hBeat, kSessionTimeoutMs) == WAIT_OBJECT_0)
            {
                if (pThis->m_bStop)
                    return 0;
            }
            fprintf(stderr, "dialog walk: session %lu of seed %lu has not ended after %lu s; play it again with "
                            "RDM_WALK_SEED=%lu RDM_WALK_FIRST=%lu RDM_WALK_SESSIONS=1 RDM_WALK_TRACE=1\n",
                    (unsigned long)pThis->m_nSession, pThis->m_nSeed, kSessionTimeoutMs / 1000, pThis->m_nSeed,
                    (unsigned long)pThis->m_nSession);
            fflush(stderr);
            ::TerminateProcess(::GetCurrentProcess(), 3);
            return 1;
        }

        unsigned long m_nSeed;
        volatile unsigned long m_nSession = 0;
        volatile bool m_bStop = false;
        HANDLE m_hBeat;
        HANDLE m_hThread;
    };

    BOOL CALLBACK CountDialog(HWND hWnd, LPARAM lParam)
    {
        char szClass[16] = "";
        ::GetClassNameA(hWnd, szClass, sizeof szClass);
        if (lstrcmpA(szClass, "#32770") == 0)
            ++*(int*)lParam;
        return TRUE;
    }

    // What one session ended with, and what in it was not sound.
    struct SessionOutcome
    {
        int nOpened = -1;
        int nSteps = 0;
        int nKeys = 0;
        int nClicksBelow = 0;
        int nWorkCancels = 0;
        size_t nRows = 0;
        size_t nMessageBoxes = 0;
        std::vector<int> dialogs;
        std::vector<std::string> unsound;
        std::string script;
    };

    // The keys and clicks of a session that its dialogs did not take are the
    // host's to drop, not the next session's to receive.
    void DropUntakenInput()
    {
        MSG msg;
        while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE | PM_QS_INPUT))
        {
        }
    }

    SessionOutcome RunSession(const CHostWindow& host, unsigned long nSeed, unsigned long nSession, FILE* pTrace)
    {
        if (pTrace != nullptr)
            fprintf(pTrace, "session %lu\n", nSession);
        std::seed_seq seed{nSeed, nSession};
        SessionOutcome outcome;
        const int nHostPresses = host.ButtonPresses();
        {
            CUiRobot robot(kTickMs);
            CDialogWalker walker(robot, seed, kStepLimit, kDataSources, pTrace);
            robot.WalkUnscripted([&](HWND hDlg, std::string& reason) { return walker.Step(hDlg, reason); });
            // Each session as a new user's, so that its script replays alone.
            ForgetLastImport();
            outcome.nOpened = RDMODBCOpen();
            DropUntakenInput();
            walker.SessionEnded();
            outcome.dialogs = robot.DialogsSeen();
            outcome.nMessageBoxes = robot.MessageBoxes().size();
            for (const std::string& failure : robot.Failures())
                outcome.unsound.push_back("the robot: " + failure);
            for (const RobotMessageBox& box : robot.MessageBoxes())
            {
                if (pTrace != nullptr)
                    fprintf(pTrace, "  message box \"%s\": %s\n", box.caption.c_str(), box.text.c_str());
                if (box.text.empty())
                    outcome.unsound.push_back("a message box without a text, caption \"" + box.caption + "\"");
            }
            for (const std::string& finding : walker.Findings())
                outcome.unsound.push_back("under the dialog: " + finding);
            outcome.nSteps = walker.Steps();
            outcome.nKeys = walker.KeysPressed();
            outcome.nClicksBelow = walker.ClicksBelow();
            outcome.nWorkCancels = walker.WorkCancels();
            outcome.script = walker.Script();
        }
        if (host.ButtonPresses() != nHostPresses)
            outcome.unsound.push_back("the host's button took a click while Open ran");
        if (pTrace != nullptr)
            fprintf(pTrace, "session %lu as a robot script:\n%s", nSession, outcome.script.c_str());

        if (outcome.nOpened != 0 && outcome.nOpened != 1)
            outcome.unsound.push_back("Open returned " + std::to_string(outcome.nOpened));
        for (int nTemplate : outcome.dialogs)
            if (std::find(std::begin(kTemplates), std::end(kTemplates), nTemplate) == std::end(kTemplates))
                outcome.unsound.push_back("a dialog the module does not have: " + std::to_string(nTemplate));
        int nDialogsLeft = 0;
        ::EnumThreadWindows(::GetCurrentThreadId(), CountDialog, (LPARAM)&nDialogsLeft);
        if (nDialogsLeft != 0)
            outcome.unsound.push_back(std::to_string(nDialogsLeft) + " dialog windows left after Open returned");

        // The host reads to the end, and past it gets nothing.
        if (outcome.nOpened == 1)
            outcome.nRows = ReadAllRows(255, kMaxRows).size();
        if (outcome.nRows > kMaxRows)
            outcome.unsound.push_back("the rows did not end");
        if (!ReadAllRows(255, 1).empty())
            outcome.unsound.push_back(outcome.nOpened == 1 ? "a row after the end" : "a row without an open import");
        RDMODBCClose();
        return outcome;
    }

    std::string Grouped(unsigned long long nNumber)
    {
        std::string digits = std::to_string(nNumber);
        for (int i = (int)digits.size() - 3; i > 0; i -= 3)
            digits.insert(i, ",");
        return digits;
    }
}

TEST(DialogWalk, EveryRandomSessionEndsSoundlyAndLeavesNothingBehind)
{
    const unsigned long nSessions = Setting("RDM_WALK_SESSIONS", 500);
    const unsigned long nSeed = Setting("RDM_WALK_SEED", 1);
    const unsigned long nFirst = Setting("RDM_WALK_FIRST", 0);
    FILE* pTrace = Setting("RDM_WALK_TRACE", 0) ? stderr : nullptr;
    CSessionWatchdog watchdog(nSeed);

    unsigned long long nSteps = 0, nKeys = 0, nClicksBelow = 0, nWorkCancels = 0, nMessageBoxes = 0, nRows = 0;
    unsigned long anOpened[2] = {};
    // Room for the counts and reports is taken before the heaps are measured.
    std::map<int, unsigned long> dialogsMet;
    for (int nTemplate : kTemplates)
        dialogsMet[nTemplate] = 0;
    std::vector<std::string> unsound;
    unsound.reserve(nSessions);
    // The window the host opens the import from, where rdmhost has it, so
    // that rdmhost plays a session's script as the walk took it.
    const CHostWindow host;
    SIZE_T nHeapBefore = 0;
    for (unsigned long nSession = nFirst; nSession < nFirst + nSessions; ++nSession)
    {
        // The first sessions settle the window system, the driver manager
        // and the runtime's caches.
        if (nSession == nFirst + kWarmUpSessions)
            nHeapBefore = BusyHeapBytes();
        watchdog.Starting(nSession);
        const SessionOutcome outcome = RunSession(host, nSeed, nSession, pTrace);
        nSteps += outcome.nSteps;
        nKeys += outcome.nKeys;
        nClicksBelow += outcome.nClicksBelow;
        nWorkCancels += outcome.nWorkCancels;
        nMessageBoxes += outcome.nMessageBoxes;
        nRows += outcome.nRows;
        if (outcome.nOpened == 0 || outcome.nOpened == 1)
            ++anOpened[outcome.nOpened];
        for (int nTemplate : outcome.dialogs)
            ++dialogsMet[nTemplate];
        if (!outcome.unsound.empty())
        {
            std::string report = "session " + std::to_string(nSession) + ":";
            for (const std::string& what : outcome.unsound)
                report += " " + what + ";";
            unsound.push_back(report + " its acts:\n" + outcome.script);
        }
    }
    const SIZE_T nHeapAfter = BusyHeapBytes();

    std::string met;
    for (int nTemplate : kTemplates)
        met += (met.empty() ? "" : ", ") + RobotScriptName(nTemplate, "IDD_").substr(4) + " " +
               Grouped(dialogsMet[nTemplate]);
    const bool bMeasured = nSessions > (unsigned long)kWarmUpSessions;
    printf("dialog walk: %lu sessions (seed %lu), %s steps (%s keys, %s clicks under the dialog shown, %s Cancels of "
           "long work), %s message boxes; Open returned 1 in %lu (%s rows read), 0 in %lu; dialogs met: %s; heaps %+lld "
           "bytes over the last %lu sessions\n",
           nSessions, nSeed, Grouped(nSteps).c_str(), Grouped(nKeys).c_str(), Grouped(nClicksBelow).c_str(),
           Grouped(nWorkCancels).c_str(), Grouped(nMessageBoxes).c_str(), anOpened[1],
           Grouped(nRows).c_str(), anOpened[0], met.c_str(),
           bMeasured ? (long long)nHeapAfter - (long long)nHeapBefore : 0LL,
           bMeasured ? nSessions - kWarmUpSessions : 0);

    EXPECT_EQ(std::vector<std::string>{}, unsound) << "replay a session with RDM_WALK_SEED=" << nSeed
                                                   << " RDM_WALK_FIRST=<session> RDM_WALK_SESSIONS=1 RDM_WALK_TRACE=1";
    // What stays after the warm-up grows in rare steps, up to 2 KB over 490
    // sessions here, and not at all when one session is played again and
    // again: caches of the system meeting something new. A block of 17
    // bytes forgotten by every session would leave more than this behind.
    if (bMeasured)
    {
        EXPECT_LT(nHeapAfter, nHeapBefore + 8 * 1024) << nHeapBefore << " -> " << nHeapAfter;
    }
    // The default walk reaches every dialog and reads imports to their end;
    // a walk that stopped doing so would test little.
    if (nSessions >= 500)
    {
        for (int nTemplate : kTemplates)
            EXPECT_GT(dialogsMet[nTemplate], 0u) << RobotScriptName(nTemplate, "IDD_");
        EXPECT_GT(anOpened[1], 0u);
        EXPECT_GT(nWorkCancels, 0u);
    }
    EXPECT_TRUE(HeapsAreSound()) << "a block freed twice or written past its end";
}
