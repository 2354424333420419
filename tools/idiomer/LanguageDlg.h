#pragma once
// The small window in which the user picks a language from the installed ones.
#include <windows.h>
#include <string>
#include <vector>

// Shows the languages with rChoice selected; true with the user's pick in
// rChoice on OK, false on Cancel.
bool ChooseLanguage(HINSTANCE hInstance, const std::vector<std::string>& modules, std::string& rChoice);
