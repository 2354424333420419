#include "CProgressDlg.h"

#include "langres/ResString.h"
#include "framework/CUserException.h"
#include "resource.h"

#include <memory>
#include <vector>

namespace
{
    // Work that ends sooner shows nothing.
    const DWORD SHOW_AFTER_MS = 500;

    CString WorkText(DriverWork work, LPCSTR pszName)
    {
        switch (work)
        {
        case DriverWork::connecting:
        {
            const CString strFormat = LoadResString(IDS_WORK_CONNECT);
            CString strText;
            if (!strFormat.IsEmpty())
                strText.Format(strFormat, pszName);
            return strText;
        }
        case DriverWork::readingTables:
            return LoadResString(IDS_WORK_TABLES);
        case DriverWork::readingColumns:
            return LoadResString(IDS_WORK_COLUMNS);
        case DriverWork::openingImport:
            return LoadResString(IDS_WORK_IMPORT);
        case DriverWork::countingRows:
            return LoadResString(IDS_WORK_COUNT);
        }
        return CString();
    }

    class CEvent
    {
    public:
        CEvent() : m_hEvent(::CreateEventA(nullptr, TRUE, FALSE, nullptr)) {}
        ~CEvent()                       { if (m_hEvent) ::CloseHandle(m_hEvent); }
        CEvent(const CEvent&) = delete;
        CEvent& operator=(const CEvent&) = delete;
        HANDLE m_hEvent;
    };

    // The call on its own thread, and what it returned; shared by the
    // thread and the waiter, for an abandoned call outlives its waiter.
    struct DriverCall
    {
        std::function<SQLRETURN()> call;
        SQLRETURN nRetCode = SQL_ERROR;
        CEvent ended;
        std::atomic<HWND> hWindow{nullptr};     // the window while it shows

        static DWORD WINAPI Run(LPVOID pParameter)
        {
            std::unique_ptr<std::shared_ptr<DriverCall>> pSelf((std::shared_ptr<DriverCall>*)pParameter);
            DriverCall& self = **pSelf;
            self.nRetCode = self.call();
            // The window, once it shows, closes when the call has ended; it
            // looks for the end itself when it comes up after it.
            ::SetEvent(self.ended.m_hEvent);
            if (HWND hWnd = self.hWindow.load())
                ::PostMessageA(hWnd, WM_COMMAND, MAKEWPARAM(IDC_WORK_DONE, BN_CLICKED), 0);
            return 0;
        }
    };

    // The threads of the calls abandoned at Cancel.
    std::vector<HANDLE> s_abandoned;
}

BEGIN_MESSAGE_MAP(CProgressDlg, CDialog)
    ON_BN_CLICKED(IDC_WORK_DONE, OnWorkDone)
END_MESSAGE_MAP()

CProgressDlg::CProgressDlg(CWnd* pParent)
    : CDialog(IDD_PROGRESS, pParent)
{
}

BOOL CProgressDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    SetDlgItemText(IDC_WORK_TEXT, m_strWork);
    m_pShown->store(m_hWnd);
    if (::WaitForSingleObject(m_hDone, 0) == WAIT_OBJECT_0)
        EndDialog(IDOK);
    return TRUE;
}

void CProgressDlg::OnCancel()
{
    // Once: the driver is asked to stop, and the window stays until the
    // call has ended; a call that cannot be stopped is left to end alone.
    if (m_bCancelled)
        return;
    m_bCancelled = TRUE;
    if (!m_cancel)
    {
        EndDialog(IDCANCEL);
        return;
    }
    EnableControl(IDCANCEL, FALSE);
    const CString strCancelling = LoadResString(IDS_WORK_CANCELLING);
    if (!strCancelling.IsEmpty())
        SetDlgItemText(IDC_WORK_TEXT, strCancelling);
    m_cancel();
}

void CProgressDlg::OnOK()
{
    // Enter is no way out: the work ends by itself or by Cancel.
}

void CProgressDlg::OnWorkDone()
{
    if (::WaitForSingleObject(m_hDone, 0) == WAIT_OBJECT_0)
        EndDialog(m_bCancelled ? IDCANCEL : IDOK);
}

SQLRETURN WaitWithProgress(DriverWork work, LPCSTR pszName, const std::function<SQLRETURN()>& call,
                           const std::function<void()>& cancel)
{
    CProgressDlg window;
    auto pCall = std::make_shared<DriverCall>();
    if (!window.HasTemplate() || pCall->ended.m_hEvent == nullptr)
        return call();
    pCall->call = call;
    auto* pThreadRef = new std::shared_ptr<DriverCall>(pCall);
    HANDLE hThread = ::CreateThread(nullptr, 0, DriverCall::Run, pThreadRef, 0, nullptr);
    if (hThread == nullptr)
    {
        delete pThreadRef;
        return call();
    }
    if (::WaitForSingleObject(pCall->ended.m_hEvent, SHOW_AFTER_MS) != WAIT_OBJECT_0)
    {
        window.m_strWork = WorkText(work, pszName);
        window.m_hDone = pCall->ended.m_hEvent;
        window.m_pShown = &pCall->hWindow;
        window.m_cancel = cancel;
        window.DoModal();
        pCall->hWindow.store(nullptr);
        if (window.m_bCancelled && !cancel)
        {
            s_abandoned.push_back(hThread);
            throw new CUserException;
        }
        // The window may have gone another way (the host's quit request):
        // the call's end is awaited all the same.
    }
    ::WaitForSingleObject(hThread, INFINITE);
    ::CloseHandle(hThread);
    if (window.m_bCancelled)
        throw new CUserException;
    return pCall->nRetCode;
}

void WaitForAbandonedCalls()
{
    for (HANDLE hThread : s_abandoned)
    {
        ::WaitForSingleObject(hThread, INFINITE);
        ::CloseHandle(hThread);
    }
    s_abandoned.clear();
}
