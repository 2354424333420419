#pragma once
// The robot's script files, as rdmhost --script reads and writes them.
#include "RobotAction.h"

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
