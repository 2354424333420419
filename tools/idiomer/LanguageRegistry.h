#pragma once
// The user's language in the registry: the value named by the guide key
// under HKEY_CURRENT_USER\SOFTWARE\KAVEX\Language.
#include <string>

// The recorded extension, "" when none is recorded.
std::string ReadLanguage(const std::string& guideKey);
// Records the extension, creating the key for a user who has none yet.
bool WriteLanguage(const std::string& guideKey, const std::string& extension);
