#include "DialogWalker.h"
#include "resource.h"

#include <commctrl.h>
#include <algorithm>
#include <cctype>
#include <iterator>
#include <numeric>

using namespace robot;

using Kind = CDialogWalker::Kind;

namespace
{
    // What a person can act on among the dialog's controls, by class and
    // button style; group boxes and static texts take no input.
    bool Classify(HWND hWnd, Kind& kind)
    {
        char szClass[64] = "";
        ::GetClassNameA(hWnd, szClass, sizeof szClass);
        if (lstrcmpiA(szClass, "Button") == 0)
        {
            switch (::GetWindowLongA(hWnd, GWL_STYLE) & BS_TYPEMASK)
            {
            case BS_PUSHBUTTON:
            case BS_DEFPUSHBUTTON:
                kind = Kind::button;
                return true;
            case BS_CHECKBOX:
            case BS_AUTOCHECKBOX:
            case BS_3STATE:
            case BS_AUTO3STATE:
                kind = Kind::checkBox;
                return true;
            case BS_RADIOBUTTON:
            case BS_AUTORADIOBUTTON:
                kind = Kind::radioButton;
                return true;
            default:
                return false;
            }
        }
        if (lstrcmpiA(szClass, "Edit") == 0)
            kind = Kind::edit;
        else if (lstrcmpiA(szClass, "ComboBox") == 0)
            kind = Kind::comboBox;
        else if (lstrcmpiA(szClass, WC_LISTVIEWA) == 0)
            kind = Kind::list;
        else
            return false;
        return true;
    }

    // The placeholder rows of the lists while they are filled: strings 21
    // and 20 of the US module.
    const char kLoading[] = "Loading...";
    const char kLoadingColumns[] = "Loading columns...";

    std::string ControlName(int nId)
    {
        return RobotScriptName(nId, "IDC_");
    }

    // What users type where the module takes text, and what they paste.
    const char* const apszSqlFragments[] = {
        "1=1", "' OR '1'='1", "Code > 1005", "Name LIKE 'A%'", "1=1); --", "/* open comment", "NULL",
        "City = 'Oslo'", "x; SELECT 1", "\"Code\" = 1001", "`Code` = 1", "Since > {d '2010-01-01'}", "(", "AND",
    };
    const char* const apszValues[] = {
        "Oslo", "Alder & Sons", "2003-02-01", "12:30:00", "2003-02-01 12:30:00", "1.5", "1001", "-40.25", "8", "0",
    };
    const char* const apszPercents[] = {"%", "%a%", "100%", "%%", "_%", "%s%d%n"};
}

CDialogWalker::CDialogWalker(const CUiRobot& robot, std::seed_seq& seed, int nStepLimit,
                             std::vector<std::string> dataSources, FILE* pTrace)
    : m_robot(robot), m_random(seed), m_nStepLimit(nStepLimit), m_dataSources(std::move(dataSources)), m_pTrace(pTrace)
{
}

StepResult CDialogWalker::Step(HWND hDlg, std::string& reason)
{
    CheckBelow(hDlg);
    // A message box holds its owner disabled; the robot answers it first.
    if (!::IsWindowEnabled(hDlg))
    {
        reason = "a message box is open over the dialog";
        return StepResult::Wait;
    }
    // A list that only says it is loading is being filled: the user waits
    // for its rows, as one who sees the window does.
    for (int nList : {IDC_SOURCE_LIST, IDC_COLUMN_LIST})
    {
        const std::vector<std::string> rows = ListRows(hDlg, nList);
        if (rows.size() == 1 && (rows[0] == kLoading || rows[0] == kLoadingColumns))
        {
            reason = "the list is loading";
            return StepResult::Wait;
        }
    }
    const int nTemplate = m_robot.IdentifyTemplate(hDlg);
    if (nTemplate == IDD_PROGRESS && hDlg != m_hWork)
    {
        m_hWork = hDlg;
        m_bWaitsForWork = Between(0, 1) == 0;
    }
    if (nTemplate == IDD_PROGRESS && m_bWaitsForWork && m_nSteps < m_nStepLimit)
    {
        reason = "the work is running";
        return StepResult::Wait;
    }
    Act act = m_nSteps < m_nStepLimit ? ChooseAct(hDlg, nTemplate) : Act{"click IDCANCEL", Click(IDCANCEL)};
    ++m_nSteps;
    if (nTemplate == IDD_PROGRESS && (act.line == "click IDCANCEL" || act.line == "close" || act.line == "press \"Esc\""))
        ++m_nWorkCancels;
    // Written down before it runs: if it does not come back, the trace
    // ends with it.
    Record(hDlg, nTemplate, act.line);
    m_nMessageBoxes = m_robot.MessageBoxes().size();
    const StepResult result = act.action(hDlg, reason);
    // A message box that refused a value put the focus on its field, where
    // the user answers next. (The acts in dialogs the act opened have
    // counted their own message boxes.)
    const HWND hFocus = ::GetFocus();
    m_hComplaint = m_robot.MessageBoxes().size() > m_nMessageBoxes && ::IsChild(hDlg, hFocus) ? hFocus : nullptr;
    m_nMessageBoxes = m_robot.MessageBoxes().size();
    return result;
}

CDialogWalker::Act CDialogWalker::ChooseAct(HWND hDlg, int nTemplate)
{
    // How often the user reaches for a control, against 10 for most: the
    // user heads through the import's two steps to OK, and in the dialogs
    // they open uses every control alike; goes back seldom, leaves seldom
    // where there is an OK to press, and switches the kind of data source
    // seldom, since the user's own are listed first.
    const bool bOffersOk = ::GetDlgItem(hDlg, IDOK) != nullptr;
    const bool bImportStep = nTemplate == IDD_DATASOURCE || nTemplate == IDD_FIELDMAP;
    auto weightOf = [bOffersOk, bImportStep](int nId) {
        switch (nId)
        {
        case IDOK:
            return bImportStep ? 30 : 10;
        case IDC_BACK:
            return 3;
        case IDCANCEL:
            return bOffersOk ? 1 : 10;
        case IDC_DSN_TYPE:
            return 1;
        default:
            return 10;
        }
    };
    const HWND hComplaint = m_hComplaint;
    m_hComplaint = nullptr;
    std::vector<Target> targets;
    for (HWND hChild = ::GetWindow(hDlg, GW_CHILD); hChild != nullptr; hChild = ::GetWindow(hChild, GW_HWNDNEXT))
    {
        Kind kind;
        if (!::IsWindowVisible(hChild) || !::IsWindowEnabled(hChild) || !Classify(hChild, kind))
            continue;
        if (kind == Kind::comboBox && ::SendMessageA(hChild, CB_GETCOUNT, 0, 0) <= 0)
            continue;
        const int nId = ::GetDlgCtrlID(hChild);
        // The answer to a complaint is short.
        if (hChild == hComplaint && kind == Kind::edit)
        {
            const std::string text = ShortAnswer();
            return {"type " + ControlName(nId) + " " + RobotScriptText(text), Type(nId, text)};
        }
        if (hChild == hComplaint)
            return ActOn(hDlg, nTemplate, {kind, nId, 0});
        targets.push_back({kind, nId, weightOf(nId)});
    }
    if (::GetWindowLongA(hDlg, GWL_STYLE) & WS_SYSMENU)
        targets.push_back({Kind::closeBox, 0, weightOf(IDCANCEL)});
    targets.push_back({Kind::key, 0, 15});
    if (WindowBelow(hDlg, 1) != nullptr)
        targets.push_back({Kind::clickBelow, 0, 10});
    if (targets.empty())
        return {"click IDCANCEL", Click(IDCANCEL)};

    int nPick = Between(0, std::accumulate(targets.begin(), targets.end(), 0,
                                           [](int nSum, const Target& t) { return nSum + t.nWeight; }) - 1);
    auto target = targets.begin();
    while (nPick >= target->nWeight)
        nPick -= (target++)->nWeight;
    return ActOn(hDlg, nTemplate, *target);
}

CDialogWalker::Act CDialogWalker::ActOn(HWND hDlg, int nTemplate, const Target& target)
{
    const std::string name = ControlName(target.nId);
    switch (target.kind)
    {
    case Kind::button:
        return {"click " + name, Click(target.nId)};
    case Kind::checkBox:
    {
        const bool bCheck = !IsChecked(hDlg, target.nId);
        return {(bCheck ? "check " : "uncheck ") + name, SetCheck(target.nId, bCheck)};
    }
    case Kind::radioButton:
        return {"check " + name, SetCheck(target.nId, true)};
    case Kind::edit:
    {
        const std::string text = RandomText();
        return {"type " + name + " " + RobotScriptText(text), Type(target.nId, text)};
    }
    case Kind::comboBox:
        return ActOnCombo(hDlg, target.nId);
    case Kind::list:
        // In its first step the data-source dialog lists data sources: the
        // user picks only those of the walk.
        return ActOnList(hDlg, target.nId, nTemplate == IDD_DATASOURCE && IsVisible(hDlg, IDC_DSN_TYPE));
    case Kind::closeBox:
        return {"close", PressCloseBox()};
    case Kind::key:
        return PressKey(hDlg, nTemplate);
    case Kind::clickBelow:
        return ClickBelow(hDlg, nTemplate);
    }
    return {"click IDCANCEL", Click(IDCANCEL)};
}

CDialogWalker::Act CDialogWalker::ActOnList(HWND hDlg, int nId, bool bDataSources)
{
    const std::vector<std::string> rows = ListRows(hDlg, nId);
    std::vector<int> offered;
    for (int nRow = 0; nRow < (int)rows.size(); ++nRow)
    {
        if (!bDataSources ||
            std::find(m_dataSources.begin(), m_dataSources.end(), rows[nRow]) != m_dataSources.end())
            offered.push_back(nRow);
    }
    // One chance more than there are rows: a click beside them selects none.
    const int nChoice = Between(0, (int)offered.size());
    if (nChoice == (int)offered.size())
        return {"clear " + ControlName(nId), ClearSelection(nId)};
    const int nRow = offered[nChoice];
    return {"select " + ControlName(nId) + " " + RobotScriptText(rows[nRow]), SelectRowAt(nId, nRow)};
}

CDialogWalker::Act CDialogWalker::ActOnCombo(HWND hDlg, int nId)
{
    const std::vector<std::string> entries = ComboEntries(hDlg, nId);
    const int nEntry = Between(0, (int)entries.size() - 1);
    return {"choose-index " + ControlName(nId) + " " + std::to_string(nEntry) + "   # " + entries[nEntry],
            ChooseEntryAt(nId, nEntry)};
}

CDialogWalker::Act CDialogWalker::PressKey(HWND hDlg, int nTemplate)
{
    // Moving and choosing keys mostly; now and then a character, the
    // mnemonic of one of the dialog's controls (or a letter that is none),
    // Enter, or Esc. Among the data sources the user moves with Tab and
    // Space only: arrows and letters would choose data sources beside the
    // walk's.
    static const char* const apszKeys[] = {"Tab", "Shift+Tab", "Space", "Up", "Down", "Left", "Right", "Home", "End"};
    const bool bDataSources = nTemplate == IDD_DATASOURCE && IsVisible(hDlg, IDC_DSN_TYPE);
    std::string key;
    int nKind = Between(0, 39);
    if (bDataSources && nKind >= 28 && nKind < 36)
        nKind -= 28;
    if (nKind < 18)
        key = apszKeys[nKind % (bDataSources ? 3 : std::size(apszKeys))];
    else if (nKind < 28)
    {
        std::string mnemonics;
        for (HWND hChild = ::GetWindow(hDlg, GW_CHILD); hChild != nullptr; hChild = ::GetWindow(hChild, GW_HWNDNEXT))
        {
            const std::string text = WindowText(hChild);
            const size_t nAmpersand = text.find('&');
            if (::IsWindowVisible(hChild) && nAmpersand + 1 < text.size() && isalnum((unsigned char)text[nAmpersand + 1]))
                mnemonics += (char)toupper((unsigned char)text[nAmpersand + 1]);
        }
        const char chLetter = Between(0, 3) == 0 || mnemonics.empty() ? (char)Between('A', 'Z')
                                                                       : mnemonics[Between(0, (int)mnemonics.size() - 1)];
        key = std::string("Alt+") + chLetter;
    }
    else if (nKind < 36)
        key = std::string(1, "abcdefghijklmnopqrstuvwxyz0123456789"[Between(0, 35)]);
    else if (nKind < 39)
        key = "Enter";
    else
        key = "Esc";
    ++m_nKeys;
    return {"press " + RobotScriptText(key), PressKeys({key})};
}

CDialogWalker::Act CDialogWalker::ClickBelow(HWND hDlg, int nTemplate)
{
    // Any control with a name of its own that shows beside the dialog, on
    // any window under it.
    std::vector<std::pair<int, int>> candidates;   // how far below, the control
    for (int nBelow = 1; HWND hBelow = WindowBelow(hDlg, nBelow); ++nBelow)
        for (HWND hChild = ::GetWindow(hBelow, GW_CHILD); hChild != nullptr; hChild = ::GetWindow(hChild, GW_HWNDNEXT))
        {
            const int nId = ::GetDlgCtrlID(hChild);
            POINT pt;
            if (nId != 0 && nId != 0xFFFF && nId != -1 && ::GetDlgItem(hBelow, nId) == hChild &&
                UncoveredPoint(hDlg, nBelow, hChild, pt))
                candidates.push_back({nBelow, nId});
        }
    if (candidates.empty())
        return PressKey(hDlg, nTemplate);
    const auto [nBelow, nId] = candidates[Between(0, (int)candidates.size() - 1)];
    const std::string line = "mouse " + ControlName(nId) + " below " + std::to_string(nBelow);
    HWND hBelow = WindowBelow(hDlg, nBelow);
    m_lastClickBelow = {{hDlg, nTemplate, hBelow, ControlStates(hBelow), m_robot.DialogsSeen().size(), line}};
    ++m_nClicksBelow;
    return {line, MouseClick(nId, nBelow)};
}

void CDialogWalker::CheckBelow(HWND hDlg)
{
    if (m_lastClickBelow.empty())
        return;
    const BelowClick click = m_lastClickBelow.back();
    m_lastClickBelow.clear();
    if (WorkEndedAfter(click))
        return;
    if (hDlg != click.hDlg || m_robot.DialogsSeen().size() != click.nDialogsSeen)
        m_findings.push_back("after \"" + click.line + "\" another dialog is shown");
    else if (::IsWindow(click.hBelow) && ControlStates(click.hBelow) != click.states)
        m_findings.push_back("\"" + click.line + "\" changed the window under the dialog");
}

bool CDialogWalker::WorkEndedAfter(const BelowClick& click)
{
    // What follows is the work's end, not the click's.
    return click.nTemplate == IDD_PROGRESS && !::IsWindow(click.hDlg);
}

void CDialogWalker::SessionEnded()
{
    if (!m_lastClickBelow.empty() && !WorkEndedAfter(m_lastClickBelow.back()))
        m_findings.push_back("the session ended after \"" + m_lastClickBelow.back().line + "\"");
    m_lastClickBelow.clear();
}

std::string CDialogWalker::RandomText()
{
    auto pick = [this](const auto& texts) { return std::string(texts[Between(0, (int)std::size(texts) - 1)]); };
    std::string text;
    switch (Between(0, 9))
    {
    case 0:
        return "";
    case 1:   // longer than any field of the module takes
        for (int i = Between(300, 400); i > 0; --i)
            text += (char)Between(' ', '~');
        return text;
    case 2:   // mostly numbers a width takes, sometimes far more digits
        if (Between(0, 1) == 0)
            return std::to_string(Between(0, 300));
        for (int i = Between(1, 24); i > 0; --i)
            text += (char)Between('0', '9');
        return text;
    case 3:
        return "-" + std::to_string(Between(0, 1) ? Between(0, 300) : Between(0, 0x7FFFFFFF));
    case 4:   // bytes above ASCII, as another code page's letters arrive
        for (int i = Between(1, 20); i > 0; --i)
            text += (char)Between(0x80, 0xFF);
        // Wine 8's edit control faults in its text shaping (Uniscribe, GPOS
        // MarkToLigature) on the small tilde U+02DC (byte 0x98 of code page
        // 1252) after some characters, whoever owns the field.
        std::replace(text.begin(), text.end(), '\x98', '~');
        return text;
    case 5:
        for (int i = Between(1, 8); i > 0; --i)
            text += "'\"`ab"[Between(0, 4)];
        return text;
    case 6:
        return pick(apszPercents);
    case 7:
        return pick(apszSqlFragments);
    case 8:
        return pick(apszValues);
    default:   // one character: what a fill takes
        return std::string(1, (char)Between(' ', '~'));
    }
}

std::string CDialogWalker::ShortAnswer()
{
    switch (Between(0, 2))
    {
    case 0:
        return "";
    case 1:
        return std::to_string(Between(0, 300));
    default:
        return std::string(1, (char)Between(' ', '~'));
    }
}

void CDialogWalker::Record(HWND hDlg, int nTemplate, const std::string& line)
{
    auto block = std::find_if(m_blocks.begin(), m_blocks.end(), [&](const Block& b) { return b.hWnd == hDlg; });
    if (block == m_blocks.end())
        block = m_blocks.insert(m_blocks.end(), {hDlg, nTemplate, {}});
    block->lines.push_back(line);
    if (m_pTrace != nullptr)
    {
        fprintf(m_pTrace, "  %s: %s\n", RobotScriptName(nTemplate, "IDD_").c_str(), line.c_str());
        fflush(m_pTrace);
    }
}

std::string CDialogWalker::Script() const
{
    std::string script;
    for (const Block& block : m_blocks)
    {
        script += "dialog " + RobotScriptName(block.nTemplate, "IDD_") + "\n";
        for (const std::string& line : block.lines)
            script += "  " + line + "\n";
    }
    return script;
}
