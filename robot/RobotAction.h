#pragma once
// What a robot's script is made of: actions on the dialog shown, taken one
// at a time, and the actions that only wait, check or take a picture.
#include <windows.h>
#include <functional>
#include <string>
#include <vector>

enum class StepResult { Done, Wait, Failed };

// One action on the dialog shown; Wait when its condition is not met yet
// (it is tried again on the next tick, within a bound), Failed with a reason.
using RobotAction = std::function<StepResult(HWND hDlg, std::string& reason)>;

struct RobotScript
{
    RobotScript() = default;
    RobotScript(int nTemplateId, std::vector<RobotAction> dialogActions, std::string strShowingText = std::string())
        : nTemplate(nTemplateId), actions(std::move(dialogActions)), strShowing(std::move(strShowingText))
    {
    }

    int nTemplate = 0;
    std::vector<RobotAction> actions;
    // For a dialog that shows this text in one of its controls only ("" for
    // any): which of several windows of one template the script is for.
    std::string strShowing;
};

namespace robot
{
    // Waits until the condition holds.
    RobotAction WaitUntil(std::function<bool(HWND)> condition, const std::string& what);
    // Runs the test's own checks on the dialog.
    RobotAction Inspect(std::function<void(HWND)> check);
    RobotAction Screenshot(const std::string& name);
}
