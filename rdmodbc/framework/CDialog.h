#pragma once
// A modal dialog from a template of the current resource handle, with a
// message map of the framework's kind and dialog data exchange.
#include "CWnd.h"
#include <commctrl.h>

class CDialog;
class CDataExchange;

// One entry of a message map: a command or notification code from a control,
// or a window message, and the member that handles it.
typedef void (CDialog::*AFX_PMSG)();
typedef void (CDialog::*AFX_PMSG_NOTIFY)(NMHDR*, LRESULT*);

struct AFX_MSGMAP_ENTRY
{
    UINT            nMessage;   // WM_COMMAND, WM_NOTIFY, WM_PAINT, WM_DESTROY; 0 ends the map
    UINT            nCode;      // the control's notification code
    UINT            nID;        // the control
    AFX_PMSG        pfn;
    AFX_PMSG_NOTIFY pfnNotify;
};

struct AFX_MSGMAP
{
    const AFX_MSGMAP* pBaseMap;
    const AFX_MSGMAP_ENTRY* lpEntries;
};

#define DECLARE_MESSAGE_MAP() \
protected: \
    static const AFX_MSGMAP* GetThisMessageMap(); \
    const AFX_MSGMAP* GetMessageMap() const override;

#define BEGIN_MESSAGE_MAP(theClass, baseClass) \
    const AFX_MSGMAP* theClass::GetMessageMap() const { return GetThisMessageMap(); } \
    const AFX_MSGMAP* theClass::GetThisMessageMap() \
    { \
        typedef theClass ThisClass; \
        typedef baseClass TheBaseClass; \
        static const AFX_MSGMAP_ENTRY entries[] = {

#define END_MESSAGE_MAP() \
            {0, 0, 0, nullptr, nullptr} \
        }; \
        static const AFX_MSGMAP messageMap = {TheBaseClass::GetThisMessageMap(), entries}; \
        return &messageMap; \
    }

#define ON_CONTROL(code, id, memberFxn) \
    {WM_COMMAND, (UINT)(code), (UINT)(id), static_cast<AFX_PMSG>(&ThisClass::memberFxn), nullptr},
#define ON_BN_CLICKED(id, memberFxn)     ON_CONTROL(BN_CLICKED, id, memberFxn)
#define ON_CBN_SELCHANGE(id, memberFxn)  ON_CONTROL(CBN_SELCHANGE, id, memberFxn)
#define ON_NOTIFY(code, id, memberFxn) \
    {WM_NOTIFY, (UINT)(code), (UINT)(id), nullptr, static_cast<AFX_PMSG_NOTIFY>(&ThisClass::memberFxn)},
#define ON_WM_PAINT()    {WM_PAINT, 0, 0, static_cast<AFX_PMSG>(&ThisClass::OnPaint), nullptr},
#define ON_WM_DESTROY()  {WM_DESTROY, 0, 0, static_cast<AFX_PMSG>(&ThisClass::OnDestroy), nullptr},

class CDialog : public CWnd
{
public:
    explicit CDialog(UINT nIDTemplate, CWnd* pParentWnd = nullptr);

    // Runs the dialog modally; the result it ended with, or -1 when it could
    // not be created (no template in the resource module, for one) or did
    // not end itself: the host's quit request closed its modal loop, and
    // nothing the dialog holds was confirmed.
    virtual INT_PTR DoModal();
    void EndDialog(int nResult)                         { m_nModalResult = nResult; ::EndDialog(m_hWnd, nResult); }
    // The resource module holds the dialog's template: a language module of
    // before the dialog came does not, and the dialog is then not offered.
    BOOL HasTemplate() const;
    // Moves the controls' values into the members (TRUE, validating) or the
    // members into the controls (FALSE). FALSE when a value was refused.
    BOOL UpdateData(BOOL bSaveAndValidate = TRUE);
    // The innermost dialog of the module that runs modally, from its first
    // message on, before it shows; null when none runs. A window that names
    // no owner is owned by it rather than by the active window, which may
    // be the host's while a dialog starts: the system enables the owner
    // again when its window ends, and the host would take input under the
    // dialog.
    static HWND GetRunningModal();
    // Moves the keyboard focus to the control, as Tab does.
    void GotoDlgCtrl(CWnd* pWndCtrl)                    { SendMessage(WM_NEXTDLGCTL, (WPARAM)pWndCtrl->m_hWnd, TRUE); }

protected:
    // Fills combo boxes from the template's initialisation data and shows the
    // members in the controls.
    virtual BOOL OnInitDialog();
    virtual void OnOK();
    virtual void OnCancel();
    virtual void DoDataExchange(CDataExchange*) {}
    void OnPaint()      {}
    void OnDestroy()    {}

    static const AFX_MSGMAP* GetThisMessageMap();
    virtual const AFX_MSGMAP* GetMessageMap() const;

private:
    static INT_PTR CALLBACK DialogProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    const AFX_MSGMAP_ENTRY* FindEntry(UINT nMessage, UINT nCode, UINT nID) const;
    void ExecuteDlgInit();

    UINT m_nIDTemplate;
    CWnd* m_pParentWnd;
    INT_PTR m_nModalResult = -1;
};
