#include "RobotInput.h"

#include <cstring>

namespace
{
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
}

namespace robot
{
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
}
