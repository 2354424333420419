#include "UiRobot.h"
#include "resource.h"

#include <commctrl.h>
#include <algorithm>
#include <cstring>

namespace
{
    thread_local CUiRobot* t_pRobot = nullptr;

    const int kMessageBoxTextId = 0xFFFF;

    bool IsMessageBoxControlId(int nId)
    {
        return (nId >= IDOK && nId <= 11) || nId == kMessageBoxTextId || nId == 0x14 || nId == 0x440;
    }

    BOOL CALLBACK CheckMessageBoxControl(HWND hWndChild, LPARAM lParam)
    {
        if (!IsMessageBoxControlId(::GetDlgCtrlID(hWndChild)))
        {
            *(bool*)lParam = false;
            return FALSE;
        }
        return TRUE;
    }

    bool IsDialogWindow(HWND hWnd)
    {
        char szClass[64] = "";
        ::GetClassNameA(hWnd, szClass, sizeof szClass);
        return lstrcmpA(szClass, "#32770") == 0;
    }


    void SetRowState(HWND hList, int nRow, UINT nState, UINT nMask)
    {
        LVITEMA item = {};
        item.state = nState;
        item.stateMask = nMask;
        ::SendMessageA(hList, LVM_SETITEMSTATE, nRow, (LPARAM)&item);
    }

    bool IsFault(DWORD dwCode)
    {
        switch (dwCode)
        {
        case EXCEPTION_ACCESS_VIOLATION:
        case EXCEPTION_ARRAY_BOUNDS_EXCEEDED:
        case EXCEPTION_DATATYPE_MISALIGNMENT:
        case EXCEPTION_ILLEGAL_INSTRUCTION:
        case EXCEPTION_INT_DIVIDE_BY_ZERO:
        case EXCEPTION_PRIV_INSTRUCTION:
        case EXCEPTION_STACK_OVERFLOW:
        case 0xC0000374:   // STATUS_HEAP_CORRUPTION
        case 0xC0000409:   // STATUS_STACK_BUFFER_OVERRUN
            return true;
        default:
            return false;
        }
    }

    // The module a code address lies in, by its file name.
    HMODULE ModuleOf(LPVOID pAddress)
    {
        HMODULE hModule = nullptr;
        ::GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                             (LPCSTR)pAddress, &hModule);
        return hModule;
    }

    std::string ModuleName(LPVOID pAddress)
    {
        char szPath[MAX_PATH] = "?";
        if (HMODULE hModule = ModuleOf(pAddress))
            ::GetModuleFileNameA(hModule, szPath, sizeof szPath);
        const char* pszName = strrchr(szPath, '\\');
        return pszName ? pszName + 1 : szPath;
    }

    ULONG_PTR ModuleOffset(LPVOID pAddress)
    {
        return (ULONG_PTR)pAddress - (ULONG_PTR)ModuleOf(pAddress);
    }

    HWND Control(HWND hDlg, int nId, std::string& reason)
    {
        HWND hWnd = ::GetDlgItem(hDlg, nId);
        if (hWnd == nullptr)
            reason = "no control " + std::to_string(nId);
        return hWnd;
    }

    // The presses of one key by its name (see robot::PressKeys), with its
    // modifiers held around it.
    bool AddKeyPress(const std::string& key, std::vector<INPUT>& inputs)
    {
        static const struct { const char* pszName; WORD wVk; bool bExtended; } names[] = {
            {"Tab", VK_TAB, false},   {"Enter", VK_RETURN, false}, {"Esc", VK_ESCAPE, false},
            {"Space", VK_SPACE, false}, {"Backspace", VK_BACK, false}, {"Up", VK_UP, true},
            {"Down", VK_DOWN, true},  {"Left", VK_LEFT, true},     {"Right", VK_RIGHT, true},
            {"Home", VK_HOME, true},  {"End", VK_END, true},       {"Delete", VK_DELETE, true},
        };
        static const struct { const char* pszPrefix; WORD wVk; } modifiers[] = {
            {"Shift+", VK_SHIFT}, {"Ctrl+", VK_CONTROL}, {"Alt+", VK_MENU},
        };
        std::vector<WORD> held;
        std::string rest = key;
        for (bool bFound = true; bFound;)
        {
            bFound = false;
            for (const auto& modifier : modifiers)
                if (rest.size() > strlen(modifier.pszPrefix) && rest.compare(0, strlen(modifier.pszPrefix), modifier.pszPrefix) == 0)
                {
                    held.push_back(modifier.wVk);
                    rest = rest.substr(strlen(modifier.pszPrefix));
                    bFound = true;
                }
        }
        WORD wVk = 0;
        bool bExtended = false;
        for (const auto& name : names)
            if (rest == name.pszName)
            {
                wVk = name.wVk;
                bExtended = name.bExtended;
            }
        if (wVk == 0 && rest.size() == 1)
        {
            const SHORT nScan = ::VkKeyScanA(rest[0]);
            if (nScan == -1)
                return false;
            wVk = LOBYTE(nScan);
            if (HIBYTE(nScan) & 1)
                held.push_back(VK_SHIFT);
        }
        if (wVk == 0)
            return false;
        auto press = [&inputs](WORD wKey, bool bUp, bool bExtendedKey) {
            INPUT input = {};
            input.type = INPUT_KEYBOARD;
            input.ki.wVk = wKey;
            input.ki.wScan = (WORD)::MapVirtualKeyA(wKey, MAPVK_VK_TO_VSC);
            input.ki.dwFlags = (bUp ? KEYEVENTF_KEYUP : 0) | (bExtendedKey ? KEYEVENTF_EXTENDEDKEY : 0);
            inputs.push_back(input);
        };
        for (WORD wHeld : held)
            press(wHeld, false, false);
        press(wVk, false, bExtended);
        press(wVk, true, bExtended);
        for (auto it = held.rbegin(); it != held.rend(); ++it)
            press(*it, true, false);
        return true;
    }

    std::string ListRowText(HWND hList, int nRow, int nColumn = 0)
    {
        char szText[1024] = "";
        LVITEMA item = {};
        item.iSubItem = nColumn;
        item.pszText = szText;
        item.cchTextMax = sizeof szText;
        ::SendMessageA(hList, LVM_GETITEMTEXTA, nRow, (LPARAM)&item);
        return szText;
    }

    // The first row of exactly that text: a person tells "Code" from "code".
    int FindListRow(HWND hList, const std::string& text)
    {
        const int nRows = (int)::SendMessageA(hList, LVM_GETITEMCOUNT, 0, 0);
        for (int nRow = 0; nRow < nRows; ++nRow)
        {
            if (ListRowText(hList, nRow) == text)
                return nRow;
        }
        return -1;
    }
}

CUiRobot::CUiRobot(UINT nTickMs)
    : m_pPrevious(t_pRobot)
{
    t_pRobot = this;
    m_hHook = ::SetWindowsHookExA(WH_CBT, CbtProc, nullptr, ::GetCurrentThreadId());
    m_hFaultHandler = ::AddVectoredExceptionHandler(1, FaultHandler);
    m_nTimer = ::SetTimer(nullptr, 0, nTickMs, TimerProc);
    // A control that only its template has tells the dialog.
    static const std::pair<int, int> defaults[] = {
        {IDC_TEXT, IDD_TEXTENTRY},
        {IDC_OPERATOR, IDD_CONDITION},
        {IDC_CONDITION_LIST, IDD_CONDITIONLIST},
        {IDC_OUTPUT_FIELD, IDD_FIELDMAP},
        {IDC_DESCRIPTION, IDD_DATASOURCE},
        {IDC_SORT_KEY1, IDD_SORT},
        {IDC_PREVIEW_LIST, IDD_PREVIEW},
        {IDC_ASK_LABEL, IDD_ASK_VALUES},
    };
    m_identifiers.assign(std::begin(defaults), std::end(defaults));
}

CUiRobot::~CUiRobot()
{
    ::KillTimer(nullptr, m_nTimer);
    ::RemoveVectoredExceptionHandler(m_hFaultHandler);
    ::UnhookWindowsHookEx(m_hHook);
    t_pRobot = m_pPrevious;
}

void CUiRobot::Expect(int nTemplate, std::vector<RobotAction> actions)
{
    m_pending.push_back({nTemplate, std::move(actions)});
}

void CUiRobot::Expect(const std::vector<RobotScript>& scripts)
{
    m_pending.insert(m_pending.end(), scripts.begin(), scripts.end());
}

void CUiRobot::IdentifyTemplateBy(int nControlId, int nTemplate)
{
    m_identifiers.insert(m_identifiers.begin(), {nControlId, nTemplate});
}

int CUiRobot::IdentifyTemplate(HWND hWnd) const
{
    for (const auto& identifier : m_identifiers)
        if (::GetDlgItem(hWnd, identifier.first) != nullptr)
            return identifier.second;
    return 0;
}

LRESULT CALLBACK CUiRobot::CbtProc(int nCode, WPARAM wParam, LPARAM lParam)
{
    CUiRobot* pRobot = t_pRobot;
    if (pRobot != nullptr)
    {
        if (nCode == HCBT_ACTIVATE)
            pRobot->OnActivate((HWND)wParam);
        else if (nCode == HCBT_DESTROYWND)
            pRobot->OnDestroy((HWND)wParam);
    }
    return ::CallNextHookEx(pRobot ? pRobot->m_hHook : nullptr, nCode, wParam, lParam);
}

// Notes a fault on the robot's thread while one of its actions runs; C++
// exceptions and the system's own first-chance exceptions pass unnoted.
LONG CALLBACK CUiRobot::FaultHandler(EXCEPTION_POINTERS* pPointers)
{
    CUiRobot* pRobot = t_pRobot;
    const EXCEPTION_RECORD& record = *pPointers->ExceptionRecord;
    if (pRobot != nullptr && !pRobot->m_running.empty() && pRobot->m_fault.empty() && IsFault(record.ExceptionCode))
    {
        char szFault[160];
        wsprintfA(szFault, "fault 0x%08lX at %s+0x%lX during the action", (unsigned long)record.ExceptionCode,
                  ModuleName(record.ExceptionAddress).c_str(), (unsigned long)ModuleOffset(record.ExceptionAddress));
        pRobot->m_fault = szFault;
    }
    return EXCEPTION_CONTINUE_SEARCH;
}

void CALLBACK CUiRobot::TimerProc(HWND, UINT, UINT_PTR, DWORD)
{
    if (t_pRobot != nullptr)
        t_pRobot->Tick();
}

void CUiRobot::OnActivate(HWND hWnd)
{
    if (robot::IsMessageBox(hWnd))
    {
        m_messageBoxes.push_back(robot::ReadMessageBox(hWnd));
        auto script = std::find_if(m_pending.begin(), m_pending.end(),
                                   [](const RobotScript& s) { return s.nTemplate == robot::kMessageBox; });
        if (script == m_pending.end())
        {
            robot::CloseMessageBox(hWnd);
            return;
        }
        ActiveDialog box{hWnd, robot::kMessageBox, std::move(script->actions)};
        m_pending.erase(script);
        box.actions.push_back([](HWND hBox, std::string&) {
            robot::CloseMessageBox(hBox);
            return StepResult::Done;
        });
        box.dwWaitStart = ::GetTickCount();
        m_active.push_back(std::move(box));
        return;
    }
    if (!IsDialogWindow(hWnd))
        return;
    for (const ActiveDialog& dialog : m_active)
        if (dialog.hWnd == hWnd)
            return;   // active again after a message box

    ActiveDialog dialog{hWnd, IdentifyTemplate(hWnd), {}};
    dialog.dwWaitStart = ::GetTickCount();
    m_dialogsSeen.push_back(dialog.nTemplate);
    dialog.nSequence = m_dialogsSeen.size();
    auto script = std::find_if(m_pending.begin(), m_pending.end(),
                               [&](const RobotScript& s) { return s.nTemplate == dialog.nTemplate; });
    if (script != m_pending.end())
    {
        dialog.actions = std::move(script->actions);
        m_pending.erase(script);
    }
    else if (m_walk)
    {
        dialog.actions.push_back(m_walk);
        dialog.bWalked = true;
    }
    else
    {
        // Nobody said what to do here: note it and cancel, rather than hang.
        dialog.actions.push_back(robot::Click(IDCANCEL));
        m_failures.push_back("unexpected dialog " + std::to_string(dialog.nTemplate) + " \"" + robot::WindowText(hWnd) + "\"");
    }
    m_active.push_back(std::move(dialog));
}

void CUiRobot::OnDestroy(HWND hWnd)
{
    auto dialog = std::find_if(m_active.begin(), m_active.end(), [&](const ActiveDialog& d) { return d.hWnd == hWnd; });
    if (dialog == m_active.end())
        return;
    if (dialog->nNext < dialog->actions.size() && !dialog->bRunning && !dialog->bWalked)
        m_failures.push_back("dialog " + std::to_string(dialog->nTemplate) + " closed with " +
                             std::to_string(dialog->actions.size() - dialog->nNext) + " actions left");
    if (dialog->bRunning)
        dialog->hWnd = nullptr;   // the action that closed it is still on the stack
    else
        m_active.erase(dialog);
}

void CUiRobot::Fail(ActiveDialog& dialog, const std::string& reason)
{
    m_failures.push_back("dialog " + std::to_string(dialog.nTemplate) + ", action " + std::to_string(dialog.nNext + 1) +
                         " \"" + robot::WindowText(dialog.hWnd) + "\": " + reason);
    dialog.nNext = dialog.actions.size();
    if (dialog.hWnd != nullptr)
        ::PostMessageA(dialog.hWnd, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
}

void CUiRobot::Tick()
{
    // Windows and Wine swallow what leaves a timer's callback: an action
    // that faulted never returned, and its dialog waits for it no longer.
    if (!m_fault.empty() && !m_running.empty() && m_running.back() < m_active.size())
    {
        const size_t nFaulted = m_running.back();
        m_running.pop_back();
        m_active[nFaulted].bRunning = false;
        Fail(m_active[nFaulted], m_fault);
        m_fault.clear();
        if (m_active[nFaulted].hWnd == nullptr)
            m_active.erase(m_active.begin() + nFaulted);
        return;
    }
    // Only the topmost dialog acts; one whose action is still running (it
    // opened the dialog above) waits for it.
    if (m_active.empty())
        return;
    size_t nTop = m_active.size() - 1;
    ActiveDialog* pDialog = &m_active[nTop];
    if (pDialog->bRunning || pDialog->hWnd == nullptr || !::IsWindowVisible(pDialog->hWnd))
        return;
    // The picture shows the dialog as the user leaves it: filled in, just
    // before the script's last action.
    if (!pDialog->bShot && !m_screenshotDir.empty() && pDialog->nNext + 1 >= pDialog->actions.size())
    {
        pDialog->bShot = true;
        std::string path = m_screenshotDir + "\\dialog-" + std::to_string(pDialog->nSequence) + "-" +
                           std::to_string(pDialog->nTemplate) + ".png";
        if (robot::SaveWindowPng(pDialog->hWnd, path))
            m_screenshots.push_back(path);
    }
    if (pDialog->nNext >= pDialog->actions.size())
    {
        // The script is done but the dialog stays: a person would be stuck.
        if (!pDialog->bGaveUp && ::GetTickCount() - pDialog->dwWaitStart > m_dwActionTimeoutMs)
        {
            pDialog->bGaveUp = true;
            Fail(*pDialog, "the dialog is still open after its script");
        }
        return;
    }

    std::string reason;
    pDialog->bRunning = true;
    RobotAction action = pDialog->actions[pDialog->nNext];
    m_running.push_back(nTop);
    StepResult result = action(pDialog->hWnd, reason);
    m_running.pop_back();
    pDialog = &m_active[nTop];   // the action may have run nested dialogs
    pDialog->bRunning = false;
    if (!m_fault.empty())
    {
        // Something in the action caught the fault; it happened all the same.
        result = StepResult::Failed;
        reason = m_fault;
        m_fault.clear();
    }

    if (result == StepResult::Done)
    {
        if (!pDialog->bWalked)
            ++pDialog->nNext;
        pDialog->dwWaitStart = ::GetTickCount();
    }
    else if (result == StepResult::Failed)
        Fail(*pDialog, reason);
    else if (::GetTickCount() - pDialog->dwWaitStart > m_dwActionTimeoutMs)
        Fail(*pDialog, "timed out waiting: " + reason);

    if (pDialog->hWnd == nullptr)
        m_active.erase(m_active.begin() + nTop);
}

namespace robot
{
    bool IsMessageBox(HWND hWnd)
    {
        if (!IsDialogWindow(hWnd) || ::GetDlgItem(hWnd, kMessageBoxTextId) == nullptr)
            return false;
        bool bOnlyMessageBoxControls = true;
        ::EnumChildWindows(hWnd, CheckMessageBoxControl, (LPARAM)&bOnlyMessageBoxControls);
        return bOnlyMessageBoxControls;
    }

    RobotMessageBox ReadMessageBox(HWND hWnd)
    {
        return {ControlText(hWnd, kMessageBoxTextId), WindowText(hWnd)};
    }

    void CloseMessageBox(HWND hWnd)
    {
        static const int anButtons[] = {IDOK, IDYES, IDRETRY, IDCANCEL, IDNO, IDABORT, IDIGNORE};
        for (int nButton : anButtons)
            if (HWND hButton = ::GetDlgItem(hWnd, nButton))
            {
                ::PostMessageA(hWnd, WM_COMMAND, MAKEWPARAM(nButton, BN_CLICKED), (LPARAM)hButton);
                break;
            }
    }

    RobotMessageBox ReadAndCloseMessageBox(HWND hWnd)
    {
        RobotMessageBox box = ReadMessageBox(hWnd);
        CloseMessageBox(hWnd);
        return box;
    }

    RobotAction SelectRow(int nList, const std::string& text)
    {
        return [=](HWND hDlg, std::string& reason) {
            HWND hList = Control(hDlg, nList, reason);
            if (hList == nullptr)
                return StepResult::Failed;
            int nRow = FindListRow(hList, text);
            if (nRow < 0)
            {
                reason = "no row \"" + text + "\" in list " + std::to_string(nList);
                return StepResult::Wait;
            }
            return SelectRowAt(nList, nRow)(hDlg, reason);
        };
    }

    RobotAction SelectRowAt(int nList, int nRow)
    {
        return [=](HWND hDlg, std::string& reason) {
            HWND hList = Control(hDlg, nList, reason);
            if (hList == nullptr)
                return StepResult::Failed;
            if (nRow >= (int)::SendMessageA(hList, LVM_GETITEMCOUNT, 0, 0))
            {
                reason = "no row " + std::to_string(nRow) + " in list " + std::to_string(nList);
                return StepResult::Wait;
            }
            ::SetFocus(hList);
            SetRowState(hList, nRow, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
            ::SendMessageA(hList, LVM_ENSUREVISIBLE, nRow, FALSE);
            return StepResult::Done;
        };
    }

    RobotAction ClearSelection(int nList)
    {
        return [=](HWND hDlg, std::string& reason) {
            HWND hList = Control(hDlg, nList, reason);
            if (hList == nullptr)
                return StepResult::Failed;
            SetRowState(hList, -1, 0, LVIS_SELECTED);
            return StepResult::Done;
        };
    }

    RobotAction ChooseEntryAt(int nCombo, int nIndex)
    {
        return [=](HWND hDlg, std::string& reason) {
            HWND hCombo = Control(hDlg, nCombo, reason);
            if (hCombo == nullptr)
                return StepResult::Failed;
            if (nIndex >= (int)::SendMessageA(hCombo, CB_GETCOUNT, 0, 0))
            {
                reason = "no entry " + std::to_string(nIndex) + " in combo " + std::to_string(nCombo);
                return StepResult::Wait;
            }
            ::SendMessageA(hCombo, CB_SETCURSEL, nIndex, 0);
            ::SendMessageA(hDlg, WM_COMMAND, MAKEWPARAM(nCombo, CBN_SELCHANGE), (LPARAM)hCombo);
            return StepResult::Done;
        };
    }

    RobotAction ChooseEntry(int nCombo, const std::string& text)
    {
        return [=](HWND hDlg, std::string& reason) {
            HWND hCombo = Control(hDlg, nCombo, reason);
            if (hCombo == nullptr)
                return StepResult::Failed;
            int nIndex = (int)::SendMessageA(hCombo, CB_FINDSTRINGEXACT, (WPARAM)-1, (LPARAM)text.c_str());
            if (nIndex < 0)
            {
                reason = "no entry \"" + text + "\" in combo " + std::to_string(nCombo);
                return StepResult::Wait;
            }
            return ChooseEntryAt(nCombo, nIndex)(hDlg, reason);
        };
    }

    RobotAction Type(int nEdit, const std::string& text)
    {
        return [=](HWND hDlg, std::string& reason) {
            HWND hEdit = Control(hDlg, nEdit, reason);
            if (hEdit == nullptr)
                return StepResult::Failed;
            ::SetWindowTextA(hEdit, text.c_str());
            return StepResult::Done;
        };
    }

    RobotAction SetCheck(int nButton, bool bChecked)
    {
        return [=](HWND hDlg, std::string& reason) {
            HWND hButton = Control(hDlg, nButton, reason);
            if (hButton == nullptr)
                return StepResult::Failed;
            if ((::SendMessageA(hButton, BM_GETCHECK, 0, 0) == BST_CHECKED) != bChecked)
                ::SendMessageA(hButton, BM_CLICK, 0, 0);
            return StepResult::Done;
        };
    }

    RobotAction Click(int nButton)
    {
        return [=](HWND hDlg, std::string& reason) {
            HWND hButton = Control(hDlg, nButton, reason);
            if (hButton == nullptr)
                return StepResult::Failed;
            if (::IsWindowEnabled(hButton) && ::IsWindowVisible(hButton))
                ::SendMessageA(hDlg, WM_COMMAND, MAKEWPARAM(nButton, BN_CLICKED), (LPARAM)hButton);
            return StepResult::Done;
        };
    }

    RobotAction PressCloseBox()
    {
        return [](HWND hDlg, std::string&) {
            ::SendMessageA(hDlg, WM_SYSCOMMAND, SC_CLOSE, 0);
            return StepResult::Done;
        };
    }

    RobotAction PressKeys(std::vector<std::string> keys)
    {
        return [keys](HWND, std::string& reason) {
            std::vector<INPUT> inputs;
            for (const std::string& key : keys)
            {
                if (!AddKeyPress(key, inputs))
                {
                    reason = "no key \"" + key + "\"";
                    return StepResult::Failed;
                }
            }
            if (::SendInput((UINT)inputs.size(), inputs.data(), sizeof(INPUT)) != inputs.size())
            {
                reason = "the system took no keys";
                return StepResult::Failed;
            }
            return StepResult::Done;
        };
    }

    bool IsKeyName(const std::string& key)
    {
        std::vector<INPUT> inputs;
        return AddKeyPress(key, inputs);
    }

    HWND WindowBelow(HWND hDlg, int nBelow)
    {
        HWND hWnd = hDlg;
        for (int i = 0; i < nBelow && hWnd != nullptr;)
        {
            hWnd = ::GetWindow(hWnd, GW_HWNDNEXT);
            if (hWnd != nullptr && ::IsWindowVisible(hWnd) &&
                ::GetWindowThreadProcessId(hWnd, nullptr) == ::GetCurrentThreadId())
                ++i;
        }
        return hWnd;
    }

    HWND OwnerBelow(HWND hDlg, int nBelow)
    {
        HWND hWnd = hDlg;
        for (int i = 0; i < nBelow && hWnd != nullptr; ++i)
            hWnd = ::GetWindow(hWnd, GW_OWNER);
        return hWnd;
    }

    bool UncoveredPoint(HWND hDlg, int nBelow, HWND hTarget, POINT& pt)
    {
        std::vector<RECT> covers;
        for (int i = 0; i < nBelow; ++i)
        {
            HWND hAbove = WindowBelow(hDlg, i);
            RECT rc;
            if (hAbove != nullptr && ::IsWindowVisible(hAbove) && ::GetWindowRect(hAbove, &rc))
                covers.push_back(rc);
        }
        RECT rcTarget;
        if (!::IsWindowVisible(hTarget) || !::GetWindowRect(hTarget, &rcTarget))
            return false;
        const RECT rcScreen = {0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
        // The centre first, then the rest of a grid inside the border.
        const int anSteps[] = {2, 0, 1, 3, 4};
        for (int ny : anSteps)
            for (int nx : anSteps)
            {
                const POINT candidate = {rcTarget.left + 2 + (rcTarget.right - rcTarget.left - 5) * nx / 4,
                                         rcTarget.top + 2 + (rcTarget.bottom - rcTarget.top - 5) * ny / 4};
                bool bCovered = !::PtInRect(&rcScreen, candidate);
                for (const RECT& rc : covers)
                    bCovered = bCovered || ::PtInRect(&rc, candidate);
                if (!bCovered)
                {
                    pt = candidate;
                    return true;
                }
            }
        return false;
    }

    RobotAction MouseClick(int nControl, int nBelow)
    {
        return [=](HWND hDlg, std::string& reason) {
            HWND hWnd = WindowBelow(hDlg, nBelow);
            HWND hTarget = hWnd && nControl ? ::GetDlgItem(hWnd, nControl) : hWnd;
            POINT pt;
            if (hTarget == nullptr || !UncoveredPoint(hDlg, nBelow, hTarget, pt))
            {
                reason = "no visible control " + std::to_string(nControl) + " " + std::to_string(nBelow) +
                         " windows below";
                return StepResult::Failed;
            }
            // The pointer moves there first, as a hand takes the mouse.
            const int nWidth = ::GetSystemMetrics(SM_CXSCREEN), nHeight = ::GetSystemMetrics(SM_CYSCREEN);
            INPUT inputs[3] = {};
            for (INPUT& input : inputs)
                input.type = INPUT_MOUSE;
            inputs[0].mi.dx = ::MulDiv(pt.x, 65535, nWidth - 1);
            inputs[0].mi.dy = ::MulDiv(pt.y, 65535, nHeight - 1);
            inputs[0].mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
            inputs[1].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
            inputs[2].mi.dwFlags = MOUSEEVENTF_LEFTUP;
            if (::SendInput(3, inputs, sizeof(INPUT)) != 3)
            {
                reason = "the system took no click";
                return StepResult::Failed;
            }
            return StepResult::Done;
        };
    }

    RobotAction WaitForInput()
    {
        return WaitUntil([](HWND) { return HIWORD(::GetQueueStatus(QS_INPUT)) == 0; }, "the keys and clicks taken");
    }

    RobotAction PressUntil(const std::string& key, std::function<bool(HWND)> condition, const std::string& what)
    {
        const RobotAction press = PressKeys({key});
        return [=](HWND hDlg, std::string& reason) {
            if (condition(hDlg))
                return StepResult::Done;
            if (press(hDlg, reason) == StepResult::Failed)
                return StepResult::Failed;
            reason = what;
            return StepResult::Wait;
        };
    }

    RobotAction WaitUntil(std::function<bool(HWND)> condition, const std::string& what)
    {
        return [=](HWND hDlg, std::string& reason) {
            reason = what;
            return condition(hDlg) ? StepResult::Done : StepResult::Wait;
        };
    }

    RobotAction Inspect(std::function<void(HWND)> check)
    {
        return [=](HWND hDlg, std::string&) {
            check(hDlg);
            return StepResult::Done;
        };
    }

    RobotAction Screenshot(const std::string& path)
    {
        return [=](HWND hDlg, std::string& reason) {
            if (SaveWindowPng(hDlg, path))
                return StepResult::Done;
            reason = "cannot write " + path;
            return StepResult::Failed;
        };
    }

    std::string WindowText(HWND hWnd)
    {
        char szText[4096] = "";
        ::GetWindowTextA(hWnd, szText, sizeof szText);
        return szText;
    }

    std::string ControlText(HWND hDlg, int nId)
    {
        return WindowText(::GetDlgItem(hDlg, nId));
    }

    bool IsEnabled(HWND hDlg, int nId)
    {
        HWND hWnd = ::GetDlgItem(hDlg, nId);
        return hWnd && ::IsWindowEnabled(hWnd);
    }

    bool IsVisible(HWND hDlg, int nId)
    {
        HWND hWnd = ::GetDlgItem(hDlg, nId);
        return hWnd && (::GetWindowLongA(hWnd, GWL_STYLE) & WS_VISIBLE);
    }

    bool IsChecked(HWND hDlg, int nId)
    {
        return ::IsDlgButtonChecked(hDlg, nId) == BST_CHECKED;
    }

    std::vector<std::string> ListRows(HWND hDlg, int nList)
    {
        HWND hList = ::GetDlgItem(hDlg, nList);
        std::vector<std::string> rows;
        int nCount = hList ? (int)::SendMessageA(hList, LVM_GETITEMCOUNT, 0, 0) : 0;
        for (int i = 0; i < nCount; ++i)
            rows.push_back(ListRowText(hList, i));
        return rows;
    }

    void PostClick(HWND hControl, POINT ptClient, bool bDouble)
    {
        const LPARAM lPosition = MAKELPARAM(ptClient.x, ptClient.y);
        ::PostMessageA(hControl, WM_LBUTTONDOWN, MK_LBUTTON, lPosition);
        ::PostMessageA(hControl, WM_LBUTTONUP, 0, lPosition);
        if (bDouble)
        {
            ::PostMessageA(hControl, WM_LBUTTONDBLCLK, MK_LBUTTON, lPosition);
            ::PostMessageA(hControl, WM_LBUTTONUP, 0, lPosition);
        }
    }

    RobotAction QueueClick(int nControl, bool bDouble)
    {
        return [nControl, bDouble](HWND hDlg, std::string& reason) {
            HWND hControl = ::GetDlgItem(hDlg, nControl);
            if (hControl == nullptr)
            {
                reason = "no control " + std::to_string(nControl);
                return StepResult::Failed;
            }
            RECT rc;
            ::GetClientRect(hControl, &rc);
            PostClick(hControl, {(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2}, bDouble);
            return StepResult::Done;
        };
    }

    RobotAction QueueClickOnRow(int nList, int nRow)
    {
        return [nList, nRow](HWND hDlg, std::string& reason) {
            HWND hList = ::GetDlgItem(hDlg, nList);
            RECT rc = {LVIR_LABEL, 0, 0, 0};
            if (hList == nullptr || !::SendMessageA(hList, LVM_GETITEMRECT, nRow, (LPARAM)&rc))
            {
                reason = "no row " + std::to_string(nRow);
                return StepResult::Failed;
            }
            PostClick(hList, {rc.left + 4, (rc.top + rc.bottom) / 2});
            return StepResult::Done;
        };
    }

    std::vector<std::vector<std::string>> ListCells(HWND hDlg, int nList)
    {
        HWND hList = ::GetDlgItem(hDlg, nList);
        HWND hHeader = hList ? (HWND)::SendMessageA(hList, LVM_GETHEADER, 0, 0) : nullptr;
        int nColumns = hHeader ? (int)::SendMessageA(hHeader, HDM_GETITEMCOUNT, 0, 0) : 1;
        std::vector<std::vector<std::string>> rows;
        for (int i = 0, nCount = (int)ListRows(hDlg, nList).size(); i < nCount; ++i)
        {
            rows.emplace_back();
            for (int nColumn = 0; nColumn < nColumns; ++nColumn)
                rows.back().push_back(ListRowText(hList, i, nColumn));
        }
        return rows;
    }

    std::vector<std::string> ListHeadings(HWND hDlg, int nList)
    {
        HWND hList = ::GetDlgItem(hDlg, nList);
        HWND hHeader = hList ? (HWND)::SendMessageA(hList, LVM_GETHEADER, 0, 0) : nullptr;
        std::vector<std::string> headings;
        for (int i = 0, nCount = hHeader ? (int)::SendMessageA(hHeader, HDM_GETITEMCOUNT, 0, 0) : 0; i < nCount; ++i)
        {
            char szText[256] = "";
            LVCOLUMNA column = {};
            column.mask = LVCF_TEXT;
            column.pszText = szText;
            column.cchTextMax = sizeof szText;
            ::SendMessageA(hList, LVM_GETCOLUMNA, i, (LPARAM)&column);
            headings.push_back(szText);
        }
        return headings;
    }

    std::string SelectedRow(HWND hDlg, int nList)
    {
        HWND hList = ::GetDlgItem(hDlg, nList);
        int nRow = hList ? (int)::SendMessageA(hList, LVM_GETNEXTITEM, (WPARAM)-1, LVNI_SELECTED) : -1;
        return nRow < 0 ? "" : ListRowText(hList, nRow);
    }

    std::string ControlStates(HWND hWnd)
    {
        std::string states;
        for (HWND hChild = ::GetWindow(hWnd, GW_CHILD); hChild != nullptr; hChild = ::GetWindow(hChild, GW_HWNDNEXT))
        {
            const int nId = ::GetDlgCtrlID(hChild);
            char szClass[32] = "";
            ::GetClassNameA(hChild, szClass, sizeof szClass);
            if (lstrcmpiA(szClass, "Button") == 0)
                states += std::to_string(nId) + "=" + std::to_string(::SendMessageA(hChild, BM_GETCHECK, 0, 0)) + " ";
            else if (lstrcmpiA(szClass, WC_LISTVIEWA) == 0)
                states += std::to_string(nId) + "=\"" + SelectedRow(hWnd, nId) + "\" ";
        }
        return states;
    }

    std::vector<std::string> ComboEntries(HWND hDlg, int nCombo)
    {
        std::vector<std::string> entries;
        HWND hCombo = ::GetDlgItem(hDlg, nCombo);
        int nCount = hCombo ? (int)::SendMessageA(hCombo, CB_GETCOUNT, 0, 0) : 0;
        for (int i = 0; i < nCount; ++i)
        {
            char szText[1024] = "";
            ::SendMessageA(hCombo, CB_GETLBTEXT, i, (LPARAM)szText);
            entries.push_back(szText);
        }
        return entries;
    }

    std::string ComboSelection(HWND hDlg, int nCombo)
    {
        HWND hCombo = ::GetDlgItem(hDlg, nCombo);
        int nSel = hCombo ? (int)::SendMessageA(hCombo, CB_GETCURSEL, 0, 0) : CB_ERR;
        if (nSel == CB_ERR)
            return "";
        char szText[1024] = "";
        ::SendMessageA(hCombo, CB_GETLBTEXT, nSel, (LPARAM)szText);
        return szText;
    }
}
