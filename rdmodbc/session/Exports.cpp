// The exported functions. No C++ exception leaves them: the host is not built
// on our framework and could not catch one.
#include "RDMODBC.h"

#include "ImportSession.h"
#include "OpenSequence.h"
#include "RDMODBCApp.h"
#include "dialogs/CProgressDlg.h"
#include "langres/ResLoader.h"

#include <atomic>

CRDMODBCApp theApp;

namespace
{
    // Open runs modal dialogs, and their loops deliver the host's messages
    // too: a host that calls an export from one (a menu command, a timer, a
    // message another thread sends) would release the session, its
    // connection and the language module under the dialogs. While Open
    // runs, on any thread, the exports return 0 at once and change nothing.
    std::atomic<bool> s_bOpenRunning(false);

    class COpenRunning
    {
    public:
        COpenRunning() : m_bFirst(!s_bOpenRunning.exchange(true)) {}
        ~COpenRunning()
        {
            if (m_bFirst)
                s_bOpenRunning = false;
        }
        COpenRunning(const COpenRunning&) = delete;
        COpenRunning& operator=(const COpenRunning&) = delete;
        bool IsFirst() const { return m_bFirst; }

    private:
        bool m_bFirst;
    };

    // No connect that the user abandoned is left running when Open returns.
    class CAbandonedCallsEnd
    {
    public:
        CAbandonedCallsEnd() = default;
        ~CAbandonedCallsEnd() { WaitForAbandonedCalls(); }
        CAbandonedCallsEnd(const CAbandonedCallsEnd&) = delete;
        CAbandonedCallsEnd& operator=(const CAbandonedCallsEnd&) = delete;
    };
}

int WINAPI RDMODBCOpen(void)
{
    COpenRunning running;
    if (!running.IsFirst())
        return 0;
    CAbandonedCallsEnd abandonedCallsEnd;
    try
    {
        return OpenImportSession();
    }
    catch (CException* pException)
    {
        // A failed reconnect or first move: shown here, since the host
        // cannot catch it, and nothing is left open.
        ReportAndDelete(pException);
    }
    catch (...)
    {
    }
    theSession.EndReading();
    return 0;
}

int WINAPI RDMODBCMoveNext(LPSTR lpszField1, int nMaxChars1, LPSTR lpszField2, int nMaxChars2,
                           LPSTR lpszField3, int nMaxChars3, LPSTR lpszField4, int nMaxChars4)
{
    LPSTR alpszFields[OUTPUT_FIELDS] = {lpszField1, lpszField2, lpszField3, lpszField4};
    const int anMaxChars[OUTPUT_FIELDS] = {nMaxChars1, nMaxChars2, nMaxChars3, nMaxChars4};
    if (s_bOpenRunning)
        return 0;
    try
    {
        return theSession.MoveNext(alpszFields, anMaxChars);
    }
    catch (CException* pException)
    {
        ReportAndDelete(pException);
    }
    catch (...)
    {
    }
    theSession.EndReading();
    return 0;
}

int WINAPI RDMODBCClose(void)
{
    if (s_bOpenRunning)
        return 0;
    try
    {
        theSession.EndReading();
    }
    catch (...)
    {
    }
    resFree(theSession.m_hResModule);
    theSession.m_hResModule = nullptr;
    return 0;
}
