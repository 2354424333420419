#pragma once
// The language modules installed next to the program: RDMODBCRes.<extension>.
#include <string>
#include <vector>

#define IDIOMER_MODULE_BASE_NAME "RDMODBCRes"

// The extensions of the installed language modules in the directory
// pszBaseDir (ending in a backslash), sorted. The unnamed default module
// (.dll) is no language.
std::vector<std::string> FindLanguageModules(const char* pszBaseDir);
// The language to offer: the current one while its module is installed, US
// English when it is installed, else the first. "" when none is installed.
std::string DefaultLanguage(const std::vector<std::string>& modules, const std::string& current);
