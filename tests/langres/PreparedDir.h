#pragma once
// A host installation prepared for one test: a fresh directory under the
// test environment holding copies of built programs and modules, and runs of
// programs in it as child processes.
#include <windows.h>
#include <string>

struct HostRun
{
    DWORD exitCode = 0;
    std::string loadedModule;   // file of the loaded language module
    std::string title;          // its string 14
    std::string boxCaption;     // the message box, when one was shown
    std::string boxText;
};

class CPreparedDir
{
public:
    explicit CPreparedDir(const std::string& name);

    std::string Path(const std::string& file = "") const { return m_path + file; }
    // Copies a build output (path relative to the build directory).
    void CopyBuilt(const std::string& built, const std::string& name) const;
    void Write(const std::string& name, const std::string& content) const;
    bool Exists(const std::string& name) const;
    std::string Read(const std::string& name) const;
    void Remove(const std::string& name) const;
    void MakeDir(const std::string& name) const;

    // Starts a program of this directory with the arguments; its process.
    HANDLE Start(const std::string& program, const std::string& arguments = "") const;
    // Waits (bounded) for the process to end, closes it; its exit code.
    static DWORD WaitForExit(HANDLE hProcess);
    // Runs a program of this directory with the arguments; its exit code.
    DWORD Run(const std::string& program, const std::string& arguments = "") const;
    // Runs the test host (copied here by the constructor).
    HostRun RunHost() const;
    // How many times the stand-in language program ran.
    int LanguageToolRuns() const;

private:
    std::string m_path;   // ends in a backslash
};

// The language value of one guide key in HKCU\SOFTWARE\KAVEX\Language of the
// test prefix; removed again at the end of the test.
class CLanguageValue
{
public:
    explicit CLanguageValue(const std::string& guideKey);
    ~CLanguageValue();
    CLanguageValue(const CLanguageValue&) = delete;
    CLanguageValue& operator=(const CLanguageValue&) = delete;

    void Set(const std::string& value) const;
    bool Exists() const;
    std::string Get() const;

private:
    std::string m_name;
};
