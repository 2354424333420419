#include "RobotScript.h"
#include "RobotControls.h"
#include "RobotInput.h"
#include "RobotView.h"
#include "resource.h"

#include <cstdlib>
#include <sstream>

namespace
{
    // Dialogs and controls by their names in resource.h.
    const struct { const char* pszName; int nId; } s_aNames[] = {
        {"IDOK", IDOK},
        {"IDCANCEL", IDCANCEL},
#include "ResourceNames.inc"
    };

    // Splits a line into words; a text in double quotes is one word, with ""
    // standing for a quote inside it.
    bool SplitWords(const std::string& line, std::vector<std::string>& words)
    {
        size_t i = 0;
        while (i < line.size())
        {
            if (line[i] == ' ' || line[i] == '\t' || line[i] == '\r')
            {
                ++i;
                continue;
            }
            if (line[i] == '#')
                break;
            std::string word;
            if (line[i] == '"')
            {
                for (++i;; ++i)
                {
                    if (i >= line.size())
                        return false;
                    if (line[i] == '"')
                    {
                        if (i + 1 < line.size() && line[i + 1] == '"')
                        {
                            word += '"';
                            ++i;
                            continue;
                        }
                        ++i;
                        break;
                    }
                    word += line[i];
                }
            }
            else
            {
                while (i < line.size() && line[i] != ' ' && line[i] != '\t' && line[i] != '\r')
                    word += line[i++];
            }
            words.push_back(word);
        }
        return true;
    }

    bool ReadNumber(const std::string& word, int& value)
    {
        char* pEnd = nullptr;
        value = (int)strtol(word.c_str(), &pEnd, 10);
        return !word.empty() && *pEnd == '\0';
    }

    // A dialog or control by its number or by its name in resource.h
    // (IDD_FIELDMAP, IDC_COLUMN_LIST, IDOK).
    bool ReadIdentifier(const std::string& word, int& value)
    {
        for (const auto& name : s_aNames)
        {
            if (word == name.pszName)
            {
                value = name.nId;
                return true;
            }
        }
        return ReadNumber(word, value);
    }
}

bool ParseRobotScript(const std::string& text, std::vector<RobotScript>& scripts, std::string& error)
{
    std::istringstream lines(text);
    std::string line;
    for (int nLine = 1; std::getline(lines, line); ++nLine)
    {
        std::vector<std::string> words;
        auto bad = [&](const std::string& what) {
            error = "line " + std::to_string(nLine) + ": " + what;
            return false;
        };
        if (!SplitWords(line, words))
            return bad("unterminated text");
        if (words.empty())
            continue;
        const std::string& verb = words[0];
        int nId = 0;
        if (verb == "dialog")
        {
            if (words.size() != 2 || !ReadIdentifier(words[1], nId))
                return bad("dialog needs a template number or name");
            scripts.push_back({nId, {}});
            continue;
        }
        if (scripts.empty())
            return bad("an action before the first dialog line");
        std::vector<RobotAction>& actions = scripts.back().actions;
        if (verb == "close")
        {
            if (words.size() != 1)
                return bad("close takes no control");
            actions.push_back(robot::PressCloseBox());
            continue;
        }
        if (verb == "screenshot")
        {
            if (words.size() != 2)
                return bad("screenshot needs a file name");
            actions.push_back(robot::Screenshot(words[1]));
            continue;
        }
        if (verb == "press")
        {
            const std::vector<std::string> keys(words.begin() + 1, words.end());
            for (const std::string& key : keys)
                if (!robot::IsKeyName(key))
                    return bad("no key \"" + key + "\"");
            if (keys.empty())
                return bad("press needs keys");
            actions.push_back(robot::PressKeys(keys));
            continue;
        }
        if (words.size() < 2 || !ReadIdentifier(words[1], nId))
            return bad(verb + " needs a control number or name");
        int nBelow = 0;
        if (verb == "mouse" && (words.size() == 2 || (words.size() == 4 && words[2] == "below" && ReadNumber(words[3], nBelow))))
        {
            actions.push_back(robot::MouseClick(nId, nBelow));
            continue;
        }
        if (verb == "select" && words.size() == 3)
            actions.push_back(robot::SelectRow(nId, words[2]));
        else if (verb == "clear" && words.size() == 2)
            actions.push_back(robot::ClearSelection(nId));
        else if (verb == "choose" && words.size() == 3)
            actions.push_back(robot::ChooseEntry(nId, words[2]));
        else if (verb == "choose-index" && words.size() == 3)
        {
            int nIndex = 0;
            if (!ReadNumber(words[2], nIndex))
                return bad("choose-index needs an entry number");
            actions.push_back(robot::ChooseEntryAt(nId, nIndex));
        }
        else if (verb == "type" && words.size() == 3)
            actions.push_back(robot::Type(nId, words[2]));
        else if ((verb == "check" || verb == "uncheck") && words.size() == 2)
            actions.push_back(robot::SetCheck(nId, verb == "check"));
        else if (verb == "click" && words.size() == 2)
            actions.push_back(robot::Click(nId));
        else if (verb == "wait-selected" && words.size() == 3)
        {
            const std::string text = words[2];
            actions.push_back(robot::WaitUntil([nId, text](HWND hDlg) { return robot::SelectedRow(hDlg, nId) == text; },
                                               "\"" + text + "\" chosen"));
        }
        else if (verb == "wait-text" && words.size() == 3)
        {
            const std::string text = words[2];
            actions.push_back(robot::WaitUntil([nId, text](HWND hDlg) { return robot::ControlText(hDlg, nId) == text; },
                                               "control " + std::to_string(nId) + " reading \"" + text + "\""));
        }
        else if (verb == "wait-enabled" && words.size() == 2)
            actions.push_back(robot::WaitUntil([nId](HWND hDlg) { return ::IsWindowEnabled(::GetDlgItem(hDlg, nId)) != FALSE; },
                                               "control " + std::to_string(nId) + " enabled"));
        else
            return bad("unknown action \"" + verb + "\" or wrong number of words");
    }
    return true;
}

std::string RobotScriptText(const std::string& text)
{
    std::string quoted = "\"";
    for (char ch : text)
    {
        quoted += ch;
        if (ch == '"')
            quoted += '"';
    }
    return quoted + '"';
}

std::string RobotScriptName(int nId, const std::string& prefix)
{
    std::string found;
    int nFound = 0;
    for (const auto& name : s_aNames)
    {
        const std::string candidate = name.pszName;
        const bool bPrefixed = candidate.compare(0, prefix.size(), prefix) == 0 ||
                         (prefix == "IDC_" && (candidate == "IDOK" || candidate == "IDCANCEL"));
        if (name.nId == nId && bPrefixed)
        {
            found = candidate;
            ++nFound;
        }
    }
    return nFound == 1 ? found : std::to_string(nId);
}
