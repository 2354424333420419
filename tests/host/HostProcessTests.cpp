// The main job as a host runs it: rdmhost.exe in an installed folder (the
// module, its language module, the guide file and the language program),
// the dialogs answered from a robot script.
#include "ChildProcess.h"
#include "ImportRun.h"
#include "TestEnv.h"

#include <gtest/gtest.h>
#include <algorithm>
#include <fstream>
#include <iterator>
#include <sstream>

namespace
{
    std::string ReadText(const std::string& path)
    {
        std::ifstream file(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    }

    struct HostResult
    {
        DWORD exitCode;
        std::string rows;
        std::string report;
    };

    HostResult RunHost(const std::string& scriptPath, const std::string& name, const std::string& options = "",
                       std::string hostDir = BinaryDirWindowsPath("hostdir"))
    {
        std::string out = TestEnvWindowsPath(name + ".csv");
        std::string err = TestEnvWindowsPath(name + ".err");
        std::string shots = TestEnvWindowsPath(name + "-screenshots");
        ::CreateDirectoryA(shots.c_str(), nullptr);
        HANDLE hProcess = StartChildProcess(hostDir + "\\rdmhost.exe",
                                            "--script \"" + scriptPath + "\" --out \"" + out + "\" --screenshots \"" +
                                                shots + "\" " + options,
                                            hostDir, "", err);
        DWORD exitCode = WaitForChildProcess(hProcess);
        return {exitCode, ReadText(out), ReadText(err)};
    }
}

TEST(HostProcess, RunsTheBundledImportScriptAndRepeatsItInANewProcessByEnterAlone)
{
    ForgetLastImport();
    const std::string samples = std::string(getenv("RDM_SOURCE_DIR")) + "/samples/";
    const std::string rows =
        "Alder & Sons,00001001,,\n\"Douglas \"\"Doug\"\" Fir\",00001004,,\nJuniper Joinery,00001010,,\n";
    struct Case { const char* script; const char* name; };
    for (const Case& c : {Case{"import.script", "sample-import"}, Case{"repeat.script", "sample-repeat"}})
    {
        HostResult result = RunHost(UnixToWindowsPath(samples + c.script), c.name);
        ASSERT_EQ(0u, result.exitCode) << c.script << ": " << result.report;
        EXPECT_EQ(rows, result.rows) << c.script << ": sorted by name";
        EXPECT_EQ(std::string::npos, result.report.find("message box")) << result.report;
        EXPECT_NE(std::string::npos, result.report.find("RDMODBCOpen returned 1, 3 rows")) << result.report;
        EXPECT_NE(std::string::npos, result.report.find("screenshot: ")) << result.report;
    }
}

TEST(HostProcess, ReportsAScriptThatDoesNotFitTheDialogs)
{
    ForgetLastImport();
    std::string script = TestEnvWindowsPath("wrong.script");
    std::ofstream(script) << "dialog 1000\n  select 1000 \"RDM Sample\"\n  click 1\n  click 1\n";
    HostResult result = RunHost(script, "wrong-script", "--timeout 3");
    EXPECT_EQ(3u, result.exitCode) << "the robot's failure is the host's exit code";
    EXPECT_NE(std::string::npos, result.report.find("RDMODBCOpen returned 0")) << result.report;
    EXPECT_TRUE(result.rows.empty());
}

TEST(HostProcess, ImportsWithALanguageModuleFromBeforeTheSortOrder)
{
    ForgetLastImport();
    // The installed folder with the older language module in place of the
    // current one: the sort button is missing, and nothing else.
    std::string hostDir = BinaryDirWindowsPath("hostdir");
    std::string olderDir = BinaryDirWindowsPath("hostdir-first-edition");
    ::CreateDirectoryA(olderDir.c_str(), nullptr);
    for (const char* file : {"RDMODBC.dll", "rdmhost.exe", "Idiomer.exe", "RDMODBC.lng", "RDMODBCRes.dll"})
        ASSERT_TRUE(::CopyFileA((hostDir + "\\" + file).c_str(), (olderDir + "\\" + file).c_str(), FALSE)) << file;
    ASSERT_TRUE(::CopyFileA(BinaryDirWindowsPath("tests/host/first-edition/RDMODBCRes.US").c_str(),
                            (olderDir + "\\RDMODBCRes.US").c_str(), FALSE));

    std::string script = TestEnvWindowsPath("first-edition.script");
    std::ofstream(script) << "dialog IDD_DATASOURCE\n  select IDC_SOURCE_LIST \"RDM Sample\"\n  click IDOK\n"
                             "  select IDC_SOURCE_LIST \"Customers\"\n  click IDOK\n"
                             "dialog IDD_FIELDMAP\n  select IDC_COLUMN_LIST \"Code\"\n  click IDOK\n";
    HostResult result = RunHost(script, "first-edition", "", olderDir);
    ASSERT_EQ(0u, result.exitCode) << result.report;
    EXPECT_NE(std::string::npos, result.report.find("RDMODBCOpen returned 1, 10 rows")) << result.report;
    EXPECT_EQ(std::string::npos, result.report.find("message box")) << result.report;
}
