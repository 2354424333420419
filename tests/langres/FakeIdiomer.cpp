// Stand-in for the language-setting program: logs each command line to
// idiomer.log beside itself and, when idiomer-writes.txt is there ("name",
// a line break, "value"), writes that language value to the registry.
#include <windows.h>
#include <fstream>
#include <string>

int main()
{
    char szPath[MAX_PATH] = "";
    ::GetModuleFileNameA(nullptr, szPath, sizeof szPath);
    std::string directory = szPath;
    directory.erase(directory.rfind('\\') + 1);

    std::ofstream(directory + "idiomer.log", std::ios::app | std::ios::binary) << ::GetCommandLineA() << "\n";

    std::ifstream writes(directory + "idiomer-writes.txt");
    std::string name, value;
    if (!std::getline(writes, name) || !std::getline(writes, value))
        return 0;
    HKEY hKey = nullptr;
    if (::RegCreateKeyExA(HKEY_CURRENT_USER, "SOFTWARE\\KAVEX\\Language", 0, nullptr, 0, KEY_SET_VALUE, nullptr, &hKey,
                          nullptr) != ERROR_SUCCESS)
        return 1;
    ::RegSetValueExA(hKey, name.c_str(), 0, REG_SZ, (const BYTE*)value.c_str(), (DWORD)value.size() + 1);
    ::RegCloseKey(hKey);
    return 0;
}
