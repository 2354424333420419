#pragma once
// The actions a person takes on the controls of the dialog shown, as the
// robot performs them: it sends what the controls themselves send, so that
// the dialog's handlers run.
#include "RobotAction.h"

namespace robot
{
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
}
