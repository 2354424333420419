#pragma once
// The UI robot: drives the module's real dialogs the way a person would.
// A thread-local WH_CBT hook sees each dialog and message box become active.
// Each dialog runs the script queued for its template, one action at a time
// from a thread timer inside the dialog's own modal loop, by sending what the
// controls themselves send, so that the dialog's handlers run. Every message
// box is recorded (text, caption) and closed with its first button. A dialog
// that no script is queued for is cancelled as unexpected, or, when a walk is
// set, acted on by it at every tick until it closes; the window of long work
// (IDD_PROGRESS) is left to close by itself, as a user waits. A message box
// with a script queued for robot::kMessageBox stays up for that script and
// is then closed with its first button. A fault (an access violation, say)
// during an action is a failure of that dialog: the system would swallow it
// with the timer's callback and leave the dialog waiting.
//
// The actions, the readings, the message boxes and the script files have
// headers of their own; this one brings them all to the robot's callers.
#include "RobotAction.h"
#include "RobotControls.h"
#include "RobotInput.h"
#include "RobotMessageBox.h"
#include "RobotPng.h"
#include "RobotScript.h"
#include "RobotView.h"

class CUiRobot
{
public:
    // One action every nTickMs milliseconds at most (Wine, like Windows,
    // ticks no faster than every 10 ms).
    explicit CUiRobot(UINT nTickMs = 15);
    ~CUiRobot();
    CUiRobot(const CUiRobot&) = delete;
    CUiRobot& operator=(const CUiRobot&) = delete;

    // Queues a script for the next appearance of a dialog of that template
    // (robot::kMessageBox: of a message box).
    void Expect(int nTemplate, std::vector<RobotAction> actions);
    // The same for the dialog of the template that shows strShowing in a
    // control (the long-work window's "Connecting to..."); the others of
    // the template pass it by.
    void ExpectShowing(int nTemplate, const std::string& strShowing, std::vector<RobotAction> actions);
    void Expect(const std::vector<RobotScript>& scripts);
    // Teaches the robot a template: a dialog with this control is of it.
    void IdentifyTemplateBy(int nControlId, int nTemplate);
    // The template of a dialog, by the controls it has; 0 when unknown.
    int IdentifyTemplate(HWND hWnd) const;
    // Every dialog without a queued script runs this action on every tick
    // until it closes: Done or Wait keep it running, Failed ends it as a
    // failed script does. A Wait counts toward the action timeout.
    void WalkUnscripted(RobotAction walk) { m_walk = std::move(walk); }
    // Saves a PNG of each dialog as the user leaves it, into this directory.
    void SaveScreenshotsTo(const std::string& directory) { m_screenshotDir = directory; }

    const std::vector<RobotMessageBox>& MessageBoxes() const { return m_messageBoxes; }
    const std::vector<std::string>& Failures() const { return m_failures; }
    const std::vector<int>& DialogsSeen() const { return m_dialogsSeen; }
    const std::vector<std::string>& Screenshots() const { return m_screenshots; }
    // Scripts queued but never met by a dialog.
    size_t PendingScripts() const { return m_pending.size(); }

    // Longest wait of one action for its condition, and of a dialog that is
    // still open after its script.
    DWORD m_dwActionTimeoutMs = 20000;

private:
    struct ActiveDialog
    {
        HWND hWnd;
        int nTemplate;
        std::vector<RobotAction> actions;
        size_t nNext = 0;
        DWORD dwWaitStart = 0;
        bool bRunning = false;
        bool bShot = false;
        bool bGaveUp = false;
        bool bWalked = false;   // runs the walk, not a script
        size_t nSequence = 0;   // its place among the dialogs seen
    };

    static LRESULT CALLBACK CbtProc(int nCode, WPARAM wParam, LPARAM lParam);
    static void CALLBACK TimerProc(HWND, UINT, UINT_PTR, DWORD);
    void OnActivate(HWND hWnd);
    void OnMessageBox(HWND hWnd);
    void OnDestroy(HWND hWnd);
    static LONG CALLBACK FaultHandler(EXCEPTION_POINTERS* pPointers);
    void Tick();
    void Fail(ActiveDialog& dialog, const std::string& reason);

    HHOOK m_hHook = nullptr;
    PVOID m_hFaultHandler = nullptr;
    // The dialogs whose actions are on the stack, the innermost last, and a
    // fault seen in the innermost one.
    std::vector<size_t> m_running;
    std::string m_fault;
    UINT_PTR m_nTimer = 0;
    CUiRobot* m_pPrevious = nullptr;
    std::vector<std::pair<int, int>> m_identifiers;
    std::vector<RobotScript> m_pending;
    RobotAction m_walk;
    std::vector<ActiveDialog> m_active;
    std::vector<RobotMessageBox> m_messageBoxes;
    std::vector<std::string> m_failures;
    std::vector<int> m_dialogsSeen;
    std::vector<std::string> m_screenshots;
    std::string m_screenshotDir;
};
