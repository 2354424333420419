#pragma once
// Long work in the driver, shown: a small window over the dialog it came
// from says what is being done and offers Cancel, while the call runs on a
// thread of its own. The window comes only when the call takes longer than
// about half a second, closes by itself when the call ends, and Cancel asks
// the driver to stop; the call's end is awaited then, so that no call is
// left running. A call that cannot be stopped (a connect) is abandoned at
// Cancel and ends on its own thread; WaitForAbandonedCalls awaits those.
#include "framework/CDialog.h"
#include "framework/DriverWait.h"

#include <atomic>

class CProgressDlg : public CDialog
{
public:
    explicit CProgressDlg(CWnd* pParent = nullptr);

    CString m_strWork;                  // what is being done
    HANDLE m_hDone = nullptr;           // signalled when the call has ended
    std::atomic<HWND>* m_pShown = nullptr;  // set to the window, for the call's end to close it
    std::function<void()> m_cancel;     // empty: Cancel closes the window at once
    BOOL m_bCancelled = FALSE;          // out: the user pressed Cancel

protected:
    BOOL OnInitDialog() override;
    void OnCancel() override;
    void OnOK() override;
    void OnWorkDone();

    DECLARE_MESSAGE_MAP()
};

// The module's driver waiter (SetDriverWaiter): the call on a thread of its
// own, and the window while it runs long. A language module without the
// window's template runs the call on the calling thread, as before.
SQLRETURN WaitWithProgress(DriverWork work, LPCSTR pszName, const std::function<SQLRETURN()>& call,
                           const std::function<void()>& cancel);
// Returns when every abandoned call has ended.
void WaitForAbandonedCalls();
