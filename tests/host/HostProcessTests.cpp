// The main job as a host runs it: rdmhost.exe in an installed folder (the
// module, its language module, the guide file and the language program),
// the dialogs answered from a robot script.
#include "ChildProcess.h"
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

    std::vector<std::string> SortedLines(const std::string& text)
    {
        std::vector<std::string> lines;
        std::istringstream stream(text);
        for (std::string line; std::getline(stream, line);)
            lines.push_back(line);
        std::sort(lines.begin(), lines.end());
        return lines;
    }

    struct HostResult
    {
        DWORD exitCode;
        std::string rows;
        std::string report;
    };

    HostResult RunHost(const std::string& scriptPath, const std::string& name, const std::string& options = "")
    {
        std::string hostDir = BinaryDirWindowsPath("hostdir");
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

TEST(HostProcess, RunsTheBundledImportScript)
{
    std::string script = UnixToWindowsPath(std::string(getenv("RDM_SOURCE_DIR")) + "/samples/import.script");
    HostResult result = RunHost(script, "sample-import");
    ASSERT_EQ(0u, result.exitCode) << result.report;
    EXPECT_EQ((std::vector<std::string>{"\"Douglas \"\"Doug\"\" Fir\",00001004,,", "Alder & Sons,00001001,,",
                                        "Juniper Joinery,00001010,,"}),
              SortedLines(result.rows));
    EXPECT_NE(std::string::npos, result.report.find("RDMODBCOpen returned 1, 3 rows")) << result.report;
    EXPECT_NE(std::string::npos, result.report.find("screenshot: ")) << result.report;
}

TEST(HostProcess, ReportsAScriptThatDoesNotFitTheDialogs)
{
    std::string script = TestEnvWindowsPath("wrong.script");
    std::ofstream(script) << "dialog 1000\n  select 1000 \"RDM Sample\"\n  click 1\n  click 1\n";
    HostResult result = RunHost(script, "wrong-script", "--timeout 3");
    EXPECT_EQ(3u, result.exitCode) << "the robot's failure is the host's exit code";
    EXPECT_NE(std::string::npos, result.report.find("RDMODBCOpen returned 0")) << result.report;
    EXPECT_TRUE(result.rows.empty());
}
