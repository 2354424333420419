#pragma once
// The UI robot: drives the module's real dialogs the way a person would.
// A thread-local WH_CBT hook sees each dialog and message box become active.
// Each dialog runs the script queued for its template, one action at a time
// from a thread timer inside the dialog's own modal loop, by sending what the
// controls themselves send, so that the dialog's handlers run. Every message
// box is recorded (text, caption) and closed with its first button. A dialog
// that no script is queued for is cancelled as unexpected, or, when a walk is
// set, acted on by it at every tick until it closes. A message box with a
// script queued for robot::kMessageBox stays up for that script and is then
// closed with its first button. A fault (an access
// violation, say) during an action is a failure of that dialog: the system
// would swallow it with the timer's callback and leave the dialog waiting.
#include <windows.h>
#include <functional>
#include <string>
#include <vector>

struct RobotMessageBox
{
    std::string text;
    std::string caption;
};

enum class StepResult { Done, Wait, Failed };

// One action on the dialog shown; Wait when its condition is not met yet
// (it is tried again on the next tick, within a bound), Failed with a reason.
using RobotAction = std::function<StepResult(HWND hDlg, std::string& reason)>;

struct RobotScript
{
    int nTemplate = 0;
    std::vector<RobotAction> actions;
};

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

// The actions a person takes, as the robot performs them.
namespace robot
{
    // The template of message boxes, for a script while one is shown.
    const int kMessageBox = -1;

    // Selects the list-view row with this text (waits until it is there).
    RobotAction SelectRow(int nList, const std::string& text);
    // Selects the row at this place, as a click on it does.
    RobotAction SelectRowAt(int nList, int nRow);
    // Clears the selection of the list view, as a click on empty space does.
    RobotAction ClearSelection(int nList);
    // Chooses the combo entry with this text (waits until it is there).
    RobotAction ChooseEntry(int nCombo, const std::string& text);
    RobotAction ChooseEntryAt(int nCombo, int nIndex);
    RobotAction Type(int nEdit, const std::string& text);
    RobotAction SetCheck(int nButton, bool bChecked);
    // Presses a button; a disabled button does nothing, as for a person.
    RobotAction Click(int nButton);
    // A quick user's click that waits in the queue: a press and a release
    // of the left button (two of each for a double click) posted to the
    // control at its centre, or on a row of a list view; the dialog acts on
    // it when it next takes its messages.
    void PostClick(HWND hControl, POINT ptClient, bool bDouble = false);
    RobotAction QueueClick(int nControl, bool bDouble = false);
    RobotAction QueueClickOnRow(int nList, int nRow);
    // Presses the close box in the dialog's title bar.
    RobotAction PressCloseBox();

    // Input through the system, as a person gives it: the keys go to the
    // window with the focus, a click to whatever shows at its place on the
    // screen, and either is taken from the queue after the action. Keys by
    // their names, one after another: a character ("8", "O"), Tab, Enter,
    // Esc, Space, Up, Down, Left, Right, Home, End, Delete or Backspace, or
    // one of them after Shift+, Ctrl+ or Alt+ ("Alt+D", "Shift+Tab").
    RobotAction PressKeys(std::vector<std::string> keys);
    // Whether the name is one that PressKeys knows.
    bool IsKeyName(const std::string& key);
    // A click of the left mouse button on a part of the control that no
    // window covers: a control of the dialog shown, or with nBelow of the
    // window so many under it (see WindowBelow); nControl 0 is that window
    // itself.
    RobotAction MouseClick(int nControl, int nBelow = 0);
    // Waits until the thread has taken every key and click from its queue.
    RobotAction WaitForInput();
    // Presses the key, one press a tick, until the condition holds: as a
    // person presses Down until the row is chosen, or Tab until the button
    // has the focus.
    RobotAction PressUntil(const std::string& key, std::function<bool(HWND)> condition, const std::string& what);
    // The window so many under the dialog on the screen, among the visible
    // top-level windows of the thread (0: the dialog itself; 1: where a
    // nested dialog's owner should be); nullptr where they end.
    HWND WindowBelow(HWND hDlg, int nBelow);
    // The window so many owners under the dialog; nullptr where they end.
    HWND OwnerBelow(HWND hDlg, int nBelow);
    // A point of hTarget, the window nBelow under hDlg or a control of it,
    // that none of the windows above it covers; false when none shows.
    bool UncoveredPoint(HWND hDlg, int nBelow, HWND hTarget, POINT& pt);
    // Waits until the condition holds.
    RobotAction WaitUntil(std::function<bool(HWND)> condition, const std::string& what);
    // Runs the test's own checks on the dialog.
    RobotAction Inspect(std::function<void(HWND)> check);
    RobotAction Screenshot(const std::string& name);

    // What a person sees.
    std::string WindowText(HWND hWnd);
    std::string ControlText(HWND hDlg, int nId);
    bool IsEnabled(HWND hDlg, int nId);
    bool IsVisible(HWND hDlg, int nId);
    bool IsChecked(HWND hDlg, int nId);
    std::vector<std::string> ListRows(HWND hDlg, int nList);
    // Every row of a report-view list with the text of each of its columns.
    std::vector<std::vector<std::string>> ListCells(HWND hDlg, int nList);
    std::vector<std::string> ListHeadings(HWND hDlg, int nList);
    std::string SelectedRow(HWND hDlg, int nList);     // "" when none
    // The check state of each of the window's buttons and the row chosen in
    // each of its lists, by control: what a click or a key it took would
    // change.
    std::string ControlStates(HWND hWnd);
    std::vector<std::string> ComboEntries(HWND hDlg, int nCombo);
    std::string ComboSelection(HWND hDlg, int nCombo); // "" when none

    // A dialog whose controls are only message-box buttons, text and icon.
    bool IsMessageBox(HWND hWnd);
    RobotMessageBox ReadMessageBox(HWND hWnd);
    // Posts the press of the message box's first button.
    void CloseMessageBox(HWND hWnd);
    RobotMessageBox ReadAndCloseMessageBox(HWND hWnd);

    // Saves a PNG of the window over the windows that own it, as the screen
    // shows them, once each has drawn all that is pending.
    bool SaveWindowPng(HWND hWnd, const std::string& path);
}

// Reads a script file of the robot: blocks that start with "dialog N" and
// list one action per line (select, clear, choose, choose-index, type,
// check, uncheck, click, close, screenshot; press KEY... and
// mouse CONTROL [below N] through the system's input); "#" starts a comment
// and texts are in double quotes. False with a message on a bad line.
bool ParseRobotScript(const std::string& text, std::vector<RobotScript>& scripts, std::string& error);
// A text as a script line writes it: in double quotes, a quote doubled.
std::string RobotScriptText(const std::string& text);
// A dialog's or control's number as a script names it: its one name in
// resource.h with this prefix ("IDD_", "IDC_"; IDOK and IDCANCEL count as
// controls), or the number when no name or more than one has it.
std::string RobotScriptName(int nId, const std::string& prefix);
