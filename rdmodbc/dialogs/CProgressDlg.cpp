#include "CProgressDlg.h"

#include "langres/ResString.h"
#include "framework/CUserException.h"
#include "resource.h"

namespace
{
    // Work that ends sooner shows nothing.
    const DWORD SHOW_AFTER_MS = 500;

    UINT WorkStringId(DriverWork work)
    {
        switch (work)
        {
        case DriverWork::openingImport:
            return IDS_WORK_IMPORT;
        case DriverWork::countingRows:
            return IDS_WORK_COUNT;
        }
        return IDS_WORK_IMPORT;
    }

    // The call on its own thread, and what it returned.
    struct DriverCall
    {
        std::function<SQLRETURN()> call;
        CProgressDlg* pWindow = nullptr;
        SQLRETURN nRetCode = SQL_ERROR;

        static DWORD WINAPI Run(LPVOID pParameter)
        {
            DriverCall& self = *(DriverCall*)pParameter;
            self.nRetCode = self.call();
            // The window, once it shows, closes when the call has ended; it
            // looks for the end itself when it comes up after it.
            ::SetEvent(self.pWindow->m_hDone);
            if (HWND hWnd = self.pWindow->m_hShown.load())
                ::PostMessageA(hWnd, WM_COMMAND, MAKEWPARAM(IDC_WORK_DONE, BN_CLICKED), 0);
            return 0;
        }
    };

    class CEvent
    {
    public:
        CEvent() : m_hEvent(::CreateEventA(nullptr, TRUE, FALSE, nullptr)) {}
        ~CEvent()                       { if (m_hEvent) ::CloseHandle(m_hEvent); }
        CEvent(const CEvent&) = delete;
        CEvent& operator=(const CEvent&) = delete;
        HANDLE m_hEvent;
    };
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
    m_hShown.store(m_hWnd);
    if (::WaitForSingleObject(m_hDone, 0) == WAIT_OBJECT_0)
        EndDialog(IDOK);
    return TRUE;
}

void CProgressDlg::OnCancel()
{
    // Once: the driver is asked to stop, and the window stays until the
    // call has ended.
    if (m_bCancelled)
        return;
    m_bCancelled = TRUE;
    EnableControl(IDCANCEL, FALSE);
    const CString strCancelling = LoadResString(IDS_WORK_CANCELLING);
    if (!strCancelling.IsEmpty())
        SetDlgItemText(IDC_WORK_TEXT, strCancelling);
    if (m_cancel)
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

SQLRETURN WaitWithProgress(DriverWork work, const std::function<SQLRETURN()>& call, const std::function<void()>& cancel)
{
    CProgressDlg window;
    CEvent ended;
    if (!window.HasTemplate() || ended.m_hEvent == nullptr)
        return call();
    window.m_hDone = ended.m_hEvent;
    DriverCall driverCall{call, &window};
    HANDLE hThread = ::CreateThread(nullptr, 0, DriverCall::Run, &driverCall, 0, nullptr);
    if (hThread == nullptr)
        return call();
    if (::WaitForSingleObject(hThread, SHOW_AFTER_MS) != WAIT_OBJECT_0)
    {
        window.m_strWork = LoadResString(WorkStringId(work));
        window.m_cancel = cancel;
        window.DoModal();
        window.m_hShown.store(nullptr);
        // The window may have gone another way (the host's quit request):
        // the call's end is awaited all the same.
        ::WaitForSingleObject(hThread, INFINITE);
    }
    ::CloseHandle(hThread);
    if (window.m_bCancelled)
        throw new CUserException;
    return driverCall.nRetCode;
}
