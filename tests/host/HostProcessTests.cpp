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
#include <vector>

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

    HostResult RunHostScript(const std::string& name, const std::string& text, const std::string& options = "",
                             const std::string& hostDir = BinaryDirWindowsPath("hostdir"))
    {
        const std::string script = TestEnvWindowsPath(name + ".script");
        std::ofstream(script) << text;
        return RunHost(script, name, options, hostDir);
    }

    // The rows as CSV lines in sorted order.
    std::string SortedRows(const std::string& rows)
    {
        std::istringstream lines(rows);
        std::vector<std::string> sorted(std::istream_iterator<std::string>(lines), {});
        std::sort(sorted.begin(), sorted.end());
        std::string text;
        for (const std::string& row : sorted)
            text += row + "\n";
        return text;
    }

    // The Customers' codes of a city asked at each import, Oslo offered.
    const char kAskedCityScript[] =
        "dialog IDD_DATASOURCE\n  select IDC_SOURCE_LIST \"RDM Sample\"\n  click IDOK\n"
        "  select IDC_SOURCE_LIST \"Customers\"\n  click IDOK\n"
        "dialog IDD_FIELDMAP\n  select IDC_COLUMN_LIST \"Code\"\n  click IDC_CONDITIONS\n  click IDOK\n"
        "dialog IDD_CONDITIONLIST\n  check IDC_USE_CONDITIONS\n  click IDC_ADD_CONDITION\n  click IDOK\n"
        "dialog IDD_CONDITION\n  choose IDC_COLUMN \"City\"\n  choose IDC_OPERATOR \"equals\"\n"
        "  type IDC_VALUE1 \"Oslo\"\n  check IDC_ASK_AT_IMPORT\n  click IDOK\n"
        "dialog IDD_ASK_VALUES\n  press Enter\n";
    // The last import again by Enter at each step.
    const char kRepeatScript[] = "dialog IDD_DATASOURCE\n  wait-selected IDC_SOURCE_LIST \"RDM Sample\"\n  press Enter\n"
                                 "  wait-selected IDC_SOURCE_LIST \"Customers\"\n  press Enter\n"
                                 "dialog IDD_FIELDMAP\n  wait-enabled IDOK\n  press Enter\n";
    const char kOsloCodes[] = ",1001,,\n,1004,,\n,1010,,\n";
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

    // A condition asked under the current module is used with its last
    // value, unasked; and the older editor has no option to ask.
    ASSERT_EQ(0u, RunHostScript("asked-current", kAskedCityScript).exitCode);
    result = RunHostScript("asked-first-edition", kRepeatScript, "", olderDir);
    ASSERT_EQ(0u, result.exitCode) << result.report;
    EXPECT_EQ(kOsloCodes, SortedRows(result.rows)) << result.report;
    EXPECT_EQ(std::string::npos, result.report.find("message box")) << result.report;
    result = RunHostScript("ask-option-first-edition", kAskedCityScript, "--timeout 3", olderDir);
    EXPECT_EQ(3u, result.exitCode) << result.report;
    EXPECT_NE(std::string::npos, result.report.find("1072")) << "no option to check: " << result.report;
}

TEST(HostProcess, ImportsWithEveryFieldRuleWhenTheHostKeepsTheStackAlignedToFourBytesOnly)
{
    // Hosts built by other compilers call the exports, and Windows calls
    // the dialogs' procedures, on a stack aligned to 4 bytes only: the
    // whole import, each field with a rule, at each shift from a 16-byte
    // boundary (x86; the x64 calling convention keeps 16).
    std::string script = TestEnvWindowsPath("field-rules.script");
    std::ofstream(script) << "dialog IDD_DATASOURCE\n  select IDC_SOURCE_LIST \"RDM Sample\"\n  click IDOK\n"
                             "  select IDC_SOURCE_LIST \"Customers\"\n  click IDOK\n"
                             "dialog IDD_FIELDMAP\n"
                             "  select IDC_COLUMN_LIST \"Code\"\n  check IDC_PAD\n  type IDC_PAD_WIDTH \"8\"\n"
                             "  type IDC_FILL \"0\"\n"
                             "  choose-index IDC_OUTPUT_FIELD 0\n  select IDC_COLUMN_LIST \"Balance\"\n  check IDC_INTEGER\n"
                             "  choose-index IDC_OUTPUT_FIELD 2\n  select IDC_COLUMN_LIST \"Since\"\n  check IDC_AS_DATE\n"
                             "  choose-index IDC_OUTPUT_FIELD 3\n  select IDC_COLUMN_LIST \"CallAt\"\n  check IDC_AS_TIME\n"
                             "  click IDC_SORT\n  click IDOK\n"
                             "dialog IDD_SORT\n  choose IDC_SORT_KEY1 \"Field 2: Code\"\n  click IDOK\n";
    // Balance as a whole number, Code filled to eight digits, Since as a
    // date, CallAt as a time; the duplicate row once.
    const std::string rows = "1520,00001001,2001-03-14,09:30:00\n-40,00001002,1998-11-02,14:00:00\n"
                             "0,00001003,2010-06-30,\n310,00001004,2015-01-01,08:05:00\n"
                             "9870,00001005,,17:45:00\n75,00001006,2020-09-09,12:00:00\n"
                             "123,00001007,2008-02-29,06:30:00\n4410,00001008,1995-07-21,10:15:00\n"
                             "0,00001009,2019-10-10,11:11:11\n58,00001010,2022-12-24,15:30:00\n";
#if defined(__i386__)
    const std::vector<std::string> shifts = {"0", "4", "8", "12"};
#else
    const std::vector<std::string> shifts = {""};
#endif
    for (const std::string& shift : shifts)
    {
        SCOPED_TRACE("stack shift " + shift);
        ForgetLastImport();
        HostResult result = RunHost(script, "field-rules" + shift, shift.empty() ? "" : "--stack-shift " + shift);
        ASSERT_EQ(0u, result.exitCode) << result.report;
        EXPECT_EQ(std::string::npos, result.report.find("message box")) << result.report;
        EXPECT_EQ(rows, result.rows);
    }
}

// The weekly run: the first import asks for a city, the next in a new host
// takes the week's city typed in the question after Enter at each step,
// and the one after repeats it by Enter alone.
TEST(HostProcess, AnAskedValueIsGivenEachWeekAndEnterAloneRepeatsTheLastOne)
{
    ForgetLastImport();
    struct Week { const char* name; std::string script; const char* rows; };
    const Week weeks[] = {
        {"asked-first", kAskedCityScript, kOsloCodes},
        {"asked-second", kRepeatScript + std::string("dialog IDD_ASK_VALUES\n  type IDC_ASK_VALUE1 \"Brno\"\n  press Enter\n"),
         ",1002,,\n,1008,,\n"},
        {"asked-third", kRepeatScript + std::string("dialog IDD_ASK_VALUES\n  press Enter\n"), ",1002,,\n,1008,,\n"},
    };
    for (const Week& week : weeks)
    {
        HostResult result = RunHostScript(week.name, week.script);
        ASSERT_EQ(0u, result.exitCode) << week.name << ": " << result.report;
        EXPECT_EQ(week.rows, SortedRows(result.rows)) << week.name << ": " << result.report;
        EXPECT_EQ(std::string::npos, result.report.find("message box")) << result.report;
    }
}
