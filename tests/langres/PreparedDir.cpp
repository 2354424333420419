#include "PreparedDir.h"
#include "ChildProcess.h"
#include "TestEnv.h"

#include <gtest/gtest.h>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

namespace
{
    const char kLanguageKey[] = "SOFTWARE\\KAVEX\\Language";
    const DWORD kRunLimitMs = 60000;
}

CPreparedDir::CPreparedDir(const std::string& name)
    : m_path(TestEnvWindowsPath("langres/" + name) + "\\")
{
    std::filesystem::remove_all(m_path);
    std::filesystem::create_directories(m_path);
    CopyBuilt("tests/langres/langres_host.exe", "langres_host.exe");
}

void CPreparedDir::CopyBuilt(const std::string& built, const std::string& name) const
{
    ASSERT_TRUE(::CopyFileA(BinaryDirWindowsPath(built).c_str(), Path(name).c_str(), FALSE)) << built;
}

void CPreparedDir::Write(const std::string& name, const std::string& content) const
{
    std::ofstream(Path(name), std::ios::binary) << content;
}

bool CPreparedDir::Exists(const std::string& name) const
{
    return std::filesystem::exists(Path(name));
}

std::string CPreparedDir::Read(const std::string& name) const
{
    std::ifstream file(Path(name), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

void CPreparedDir::Remove(const std::string& name) const
{
    std::filesystem::remove(Path(name));
}

void CPreparedDir::MakeDir(const std::string& name) const
{
    std::filesystem::create_directories(Path(name));
}

HANDLE CPreparedDir::Start(const std::string& program, const std::string& arguments) const
{
    return StartChildProcess(Path(program), arguments, m_path);
}

DWORD CPreparedDir::WaitForExit(HANDLE hProcess)
{
    return WaitForChildProcess(hProcess, kRunLimitMs);
}

DWORD CPreparedDir::Run(const std::string& program, const std::string& arguments) const
{
    return WaitForExit(Start(program, arguments));
}

HostRun CPreparedDir::RunHost() const
{
    Remove("loaded.txt");
    Remove("box.txt");
    HostRun run;
    run.exitCode = Run("langres_host.exe");
    std::string loaded = Read("loaded.txt");
    size_t nBreak = loaded.find('\n');
    if (nBreak != std::string::npos)
    {
        run.loadedModule = loaded.substr(0, nBreak);
        run.title = loaded.substr(nBreak + 1);
    }
    std::string box = Read("box.txt");
    nBreak = box.find('\n');
    if (nBreak != std::string::npos)
    {
        run.boxCaption = box.substr(0, nBreak);
        run.boxText = box.substr(nBreak + 1);
    }
    return run;
}

int CPreparedDir::LanguageToolRuns() const
{
    std::istringstream log(Read("idiomer.log"));
    int nRuns = 0;
    for (std::string line; std::getline(log, line);)
        ++nRuns;
    return nRuns;
}

CLanguageValue::CLanguageValue(const std::string& guideKey)
    : m_name(guideKey)
{
    ::RegDeleteKeyValueA(HKEY_CURRENT_USER, kLanguageKey, m_name.c_str());
}

CLanguageValue::~CLanguageValue()
{
    ::RegDeleteKeyValueA(HKEY_CURRENT_USER, kLanguageKey, m_name.c_str());
}

void CLanguageValue::Set(const std::string& value) const
{
    ASSERT_EQ(ERROR_SUCCESS, ::RegSetKeyValueA(HKEY_CURRENT_USER, kLanguageKey, m_name.c_str(), REG_SZ, value.c_str(),
                                               (DWORD)value.size() + 1));
}

bool CLanguageValue::Exists() const
{
    return ::RegGetValueA(HKEY_CURRENT_USER, kLanguageKey, m_name.c_str(), RRF_RT_ANY, nullptr, nullptr, nullptr)
           == ERROR_SUCCESS;
}

std::string CLanguageValue::Get() const
{
    char szValue[512] = "";
    DWORD cbValue = sizeof szValue;
    ::RegGetValueA(HKEY_CURRENT_USER, kLanguageKey, m_name.c_str(), RRF_RT_REG_SZ, nullptr, szValue, &cbValue);
    return szValue;
}
