#include "UiRobot.h"
#include "RobotFault.h"
#include "resource.h"

#include <algorithm>

namespace
{
    thread_local CUiRobot* t_pRobot = nullptr;
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
        {IDC_WORK_TEXT, IDD_PROGRESS},
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

void CUiRobot::ExpectShowing(int nTemplate, const std::string& strShowing, std::vector<RobotAction> actions)
{
    m_pending.push_back({nTemplate, std::move(actions), strShowing});
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
    if (pRobot != nullptr && !pRobot->m_running.empty() && pRobot->m_fault.empty() && robot::IsFault(record.ExceptionCode))
        pRobot->m_fault = robot::DescribeFault(record);
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
        OnMessageBox(hWnd);
        return;
    }
    if (!robot::IsDialogWindow(hWnd))
        return;
    for (const ActiveDialog& dialog : m_active)
        if (dialog.hWnd == hWnd)
            return;   // active again after a message box

    ActiveDialog dialog{hWnd, IdentifyTemplate(hWnd), {}};
    dialog.dwWaitStart = ::GetTickCount();
    m_dialogsSeen.push_back(dialog.nTemplate);
    dialog.nSequence = m_dialogsSeen.size();
    auto script = std::find_if(m_pending.begin(), m_pending.end(), [&](const RobotScript& s) {
        return s.nTemplate == dialog.nTemplate && (s.strShowing.empty() || robot::ShowsText(hWnd, s.strShowing));
    });
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
    else if (dialog.nTemplate == IDD_PROGRESS)
    {
        // Long work shows itself and closes when it ends: a user waits.
    }
    else
    {
        // Nobody said what to do here: note it and cancel, rather than hang.
        dialog.actions.push_back(robot::Click(IDCANCEL));
        m_failures.push_back("unexpected dialog " + std::to_string(dialog.nTemplate) + " \"" + robot::WindowText(hWnd) + "\"");
    }
    m_active.push_back(std::move(dialog));
}

// Recorded, then closed, or first left to the script queued for it.
void CUiRobot::OnMessageBox(HWND hWnd)
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
