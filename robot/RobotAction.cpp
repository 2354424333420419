#include "RobotAction.h"
#include "RobotPng.h"

namespace robot
{
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
}
