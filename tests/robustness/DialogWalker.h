#pragma once
// A user who tries everything: at each of the robot's ticks one act, chosen
// at random, on an enabled, visible control of the dialog shown (a row or no
// row of a list, an entry of a drop-down list, a text typed into a field, a
// box ticked or unticked, any button) or on its close box; a key pressed
// through the system (Tab, arrows, Space, Enter, Esc, Alt+letter, a
// character); or a click through the system on what shows of a window under
// the dialog on the screen (the dialogs it came from, the host's window),
// which must change nothing there: the next act finds the same dialog shown
// and the window under it as it was, unless the window of long work shown
// closed by itself in the meantime. At a window of long work the user
// either waits for it to close or acts on it. After a bound of acts the user presses Cancel
// on whatever dialog is shown, so that every session ends. The acts are kept
// as a script of the robot, which rdmhost --script plays again.
#include "UiRobot.h"

#include <cstdio>
#include <random>
#include <string>
#include <vector>

class CDialogWalker
{
public:
    // The walk of the robot's dialogs. The data-source step offers these
    // data sources only (or none). pTrace, when set, gets each act as it is
    // taken.
    CDialogWalker(const CUiRobot& robot, std::seed_seq& seed, int nStepLimit, std::vector<std::string> dataSources,
                  FILE* pTrace);

    // The robot's walk (CUiRobot::WalkUnscripted): one act on the dialog;
    // waits while a message box holds it disabled or a list is loading.
    StepResult Step(HWND hDlg, std::string& reason);

    int Steps() const { return m_nSteps; }
    int KeysPressed() const { return m_nKeys; }
    int ClicksBelow() const { return m_nClicksBelow; }
    // Cancel pressed (the button, the close box, Esc) on a window of long work.
    int WorkCancels() const { return m_nWorkCancels; }
    // What a click under the dialog did that it must not.
    const std::vector<std::string>& Findings() const { return m_findings; }
    // Open has returned: a click under the dialog must not have ended it.
    void SessionEnded();
    // The acts so far: one block per dialog, in the order the dialogs came.
    std::string Script() const;

    enum class Kind { button, checkBox, radioButton, edit, comboBox, list, closeBox, key, clickBelow };

private:
    struct Act
    {
        std::string line;   // as the robot's script writes it
        RobotAction action;
    };
    struct Target
    {
        Kind kind;
        int nId;
        int nWeight;
    };

    Act ChooseAct(HWND hDlg, int nTemplate);
    Act ActOn(HWND hDlg, int nTemplate, const Target& target);
    Act ActOnList(HWND hDlg, int nId, bool bDataSources);
    Act ActOnCombo(HWND hDlg, int nId);
    Act PressKey(HWND hDlg, int nTemplate);
    Act ClickBelow(HWND hDlg, int nTemplate);
    // After a click under the dialog: the same dialog shown, no other come,
    // and the window clicked as it was.
    void CheckBelow(HWND hDlg);
    std::string RandomText();
    // Nothing, a number or one character.
    std::string ShortAnswer();
    int Between(int nLow, int nHigh) { return std::uniform_int_distribution<int>(nLow, nHigh)(m_random); }
    void Record(HWND hDlg, int nTemplate, const std::string& line);

    struct Block
    {
        HWND hWnd;
        int nTemplate;
        std::vector<std::string> lines;
    };

    const CUiRobot& m_robot;
    std::mt19937 m_random;
    int m_nStepLimit;
    int m_nSteps = 0;
    size_t m_nMessageBoxes = 0;
    HWND m_hComplaint = nullptr;   // the field a message box refused, after the last act
    int m_nKeys = 0;
    int m_nClicksBelow = 0;
    int m_nWorkCancels = 0;
    HWND m_hWork = nullptr;   // the window of long work last met
    bool m_bWaitsForWork = false;   // and whether the user waits for it
    struct BelowClick
    {
        HWND hDlg;
        int nTemplate;
        HWND hBelow;
        std::string states;
        size_t nDialogsSeen;
        std::string line;
    };
    std::vector<BelowClick> m_lastClickBelow;   // the one of the last act, if it was one
    // A click under a window of long work that has since closed by itself.
    static bool WorkEndedAfter(const BelowClick& click);
    std::vector<std::string> m_findings;
    std::vector<std::string> m_dataSources;
    FILE* m_pTrace;
    std::vector<Block> m_blocks;
};
