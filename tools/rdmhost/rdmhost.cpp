// rdmhost: the reference host. Loads RDMODBC.dll, calls RDMODBCOpen from its
// window, as a host does from its menu, writes every row's four fields as
// CSV, calls RDMODBCClose. With --script the UI robot answers the dialogs;
// with --screenshots it keeps a PNG of each. With --stack-shift (x86) it calls
// the exports as a host built by another compiler may, on a stack aligned
// to 4 bytes only.
#include "HostWindow.h"
#include "RDMODBC.h"
#include "ShiftedCall.h"
#include "UiRobot.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <memory>
#include <vector>

namespace
{
    const char szUsage[] =
        "usage: rdmhost [--dll PATH] [--script FILE] [--screenshots DIR] [--out FILE] [--limit N] [--max-rows N]\n"
        "  --dll PATH         the module to load (default: RDMODBC.dll next to rdmhost.exe)\n"
        "  --script FILE      answer the dialogs from a robot script instead of a person\n"
        "  --screenshots DIR  save a PNG of each dialog as it comes up\n"
        "  --out FILE         write the rows there instead of to standard output\n"
        "  --limit N          characters per field (default 255)\n"
        "  --max-rows N       stop after N rows\n"
        "  --timeout SECONDS  how long the robot waits for a dialog to be ready for a step (default 20)\n"
        "  --stack-shift N    (x86) call each export with the stack N bytes (0, 4, 8, 12) off a 16-byte boundary\n";

    struct Options
    {
        std::string dll;
        std::string script;
        std::string screenshots;
        std::string out;
        int nLimit = 255;
        long nMaxRows = -1;
        int nTimeoutSeconds = 20;
        int nStackShift = -1;   // the compiler's own calls
    };

    bool ParseOptions(int argc, char** argv, Options& options)
    {
        for (int i = 1; i < argc; ++i)
        {
            std::string arg = argv[i];
            if (i + 1 >= argc)
                return false;
            std::string value = argv[++i];
            if (arg == "--dll")
                options.dll = value;
            else if (arg == "--script")
                options.script = value;
            else if (arg == "--screenshots")
                options.screenshots = value;
            else if (arg == "--out")
                options.out = value;
            else if (arg == "--limit")
                options.nLimit = atoi(value.c_str());
            else if (arg == "--max-rows")
                options.nMaxRows = atol(value.c_str());
            else if (arg == "--timeout")
                options.nTimeoutSeconds = atoi(value.c_str());
            else if (arg == "--stack-shift")
                options.nStackShift = atoi(value.c_str());
            else
                return false;
        }
#if defined(__i386__)
        const bool bShiftKnown = options.nStackShift == -1 || (options.nStackShift >= 0 && options.nStackShift < 16 &&
                                                               options.nStackShift % 4 == 0);
#else
        const bool bShiftKnown = options.nStackShift == -1;
#endif
        return options.nLimit >= 0 && options.nTimeoutSeconds > 0 && bShiftKnown;
    }

    // A function of any type as FARPROC, and back: the one type that casts
    // to every other unremarked stands between.
    template <class Function>
    FARPROC AnyFunction(Function pfn)
    {
        return reinterpret_cast<FARPROC>(reinterpret_cast<void (*)(void)>(pfn));
    }
    template <class Function>
    Function ExportOf(HMODULE hModule, const char* pszName)
    {
        return reinterpret_cast<Function>(reinterpret_cast<void (*)(void)>(::GetProcAddress(hModule, pszName)));
    }

    // The three exports, called as the options say.
    struct Exports
    {
        PFN_RDMODBCOPEN pfnOpen;
        PFN_RDMODBCMOVENEXT pfnMoveNext;
        PFN_RDMODBCCLOSE pfnClose;
        int nStackShift;

        int Open() const { return nStackShift < 0 ? pfnOpen() : Shifted(AnyFunction(pfnOpen), {}); }
        int MoveNext(std::vector<char> (&fields)[4], int nLimit) const
        {
            if (nStackShift < 0)
                return pfnMoveNext(fields[0].data(), nLimit, fields[1].data(), nLimit, fields[2].data(), nLimit,
                                   fields[3].data(), nLimit);
            return Shifted(AnyFunction(pfnMoveNext),
                           {(DWORD_PTR)fields[0].data(), (DWORD_PTR)nLimit, (DWORD_PTR)fields[1].data(), (DWORD_PTR)nLimit,
                            (DWORD_PTR)fields[2].data(), (DWORD_PTR)nLimit, (DWORD_PTR)fields[3].data(), (DWORD_PTR)nLimit});
        }
        int Close() const { return nStackShift < 0 ? pfnClose() : Shifted(AnyFunction(pfnClose), {}); }

    private:
        int Shifted(FARPROC pfn, std::vector<DWORD_PTR> args) const
        {
#if defined(__i386__)
            std::vector<DWORD> words(args.begin(), args.end());
            return CallWithStackShift(pfn, words.data(), (int)words.size(), nStackShift);
#else
            (void)pfn;
            (void)args;
            return 0;   // refused by ParseOptions
#endif
        }
    };

    std::string ModuleDirectory()
    {
        char szPath[MAX_PATH] = "";
        DWORD nLength = ::GetModuleFileNameA(nullptr, szPath, sizeof szPath);
        std::string path(szPath, nLength);
        size_t nSlash = path.find_last_of("\\/");
        return nSlash == std::string::npos ? "" : path.substr(0, nSlash + 1);
    }

    // A field as CSV: quoted when it holds a separator, a quote or a line end.
    std::string CsvField(const char* pszText)
    {
        std::string text = pszText;
        if (text.find_first_of(",\"\r\n") == std::string::npos)
            return text;
        std::string quoted = "\"";
        for (char ch : text)
        {
            if (ch == '"')
                quoted += '"';
            quoted += ch;
        }
        return quoted + "\"";
    }

    bool ReadFile(const std::string& path, std::string& text)
    {
        std::ifstream file(path, std::ios::binary);
        if (!file)
            return false;
        std::ostringstream content;
        content << file.rdbuf();
        text = content.str();
        return true;
    }
}

int main(int argc, char** argv)
{
    Options options;
    if (!ParseOptions(argc, argv, options))
    {
        fputs(szUsage, stderr);
        return 2;
    }

    std::vector<RobotScript> scripts;
    if (!options.script.empty())
    {
        std::string text, error;
        if (!ReadFile(options.script, text) || !ParseRobotScript(text, scripts, error))
        {
            fprintf(stderr, "rdmhost: cannot use script %s: %s\n", options.script.c_str(),
                    error.empty() ? "cannot read it" : error.c_str());
            return 2;
        }
    }

    std::string dll = options.dll.empty() ? ModuleDirectory() + "RDMODBC.dll" : options.dll;
    HMODULE hModule = ::LoadLibraryA(dll.c_str());
    if (hModule == nullptr)
    {
        fprintf(stderr, "rdmhost: cannot load %s (error %lu)\n", dll.c_str(), ::GetLastError());
        return 2;
    }
    const Exports exports = {ExportOf<PFN_RDMODBCOPEN>(hModule, "RDMODBCOpen"),
                             ExportOf<PFN_RDMODBCMOVENEXT>(hModule, "RDMODBCMoveNext"),
                             ExportOf<PFN_RDMODBCCLOSE>(hModule, "RDMODBCClose"), options.nStackShift};
    if (!exports.pfnOpen || !exports.pfnMoveNext || !exports.pfnClose)
    {
        fprintf(stderr, "rdmhost: %s lacks the record-source exports\n", dll.c_str());
        return 2;
    }

    FILE* pOut = stdout;
    if (!options.out.empty() && (pOut = fopen(options.out.c_str(), "wb")) == nullptr)
    {
        fprintf(stderr, "rdmhost: cannot write %s\n", options.out.c_str());
        return 2;
    }

    // The robot goes before the module: its hooks watch the module's dialogs.
    std::unique_ptr<CUiRobot> pRobot;
    if (!options.script.empty())
    {
        pRobot = std::make_unique<CUiRobot>();
        pRobot->Expect(scripts);
        pRobot->SaveScreenshotsTo(options.screenshots);
        pRobot->m_dwActionTimeoutMs = options.nTimeoutSeconds * 1000;
    }

    // The window the dialogs belong to; where the tests' host has it, so
    // that a script of theirs plays here as there.
    const CHostWindow window;
    int nOpen = exports.Open();
    long nRows = 0;
    if (nOpen == 1)
    {
        std::vector<char> fields[4];
        for (auto& field : fields)
            field.assign(options.nLimit + 1, '\0');
        while ((options.nMaxRows < 0 || nRows < options.nMaxRows) && exports.MoveNext(fields, options.nLimit))
        {
            fprintf(pOut, "%s,%s,%s,%s\n", CsvField(fields[0].data()).c_str(), CsvField(fields[1].data()).c_str(),
                    CsvField(fields[2].data()).c_str(), CsvField(fields[3].data()).c_str());
            ++nRows;
        }
    }
    exports.Close();
    if (pOut != stdout)
        fclose(pOut);

    int nExit = nOpen == 1 ? 0 : 1;
    fprintf(stderr, "rdmhost: RDMODBCOpen returned %d, %ld rows\n", nOpen, nRows);
    if (pRobot != nullptr)
    {
        for (const RobotMessageBox& box : pRobot->MessageBoxes())
            fprintf(stderr, "message box \"%s\": %s\n", box.caption.c_str(), box.text.c_str());
        for (const std::string& path : pRobot->Screenshots())
            fprintf(stderr, "screenshot: %s\n", path.c_str());
        for (const std::string& failure : pRobot->Failures())
            fprintf(stderr, "robot: %s\n", failure.c_str());
        if (!pRobot->Failures().empty() || pRobot->PendingScripts() != 0)
        {
            if (pRobot->PendingScripts() != 0)
                fprintf(stderr, "robot: %u dialog scripts were never used\n", (unsigned)pRobot->PendingScripts());
            nExit = 3;
        }
    }
    pRobot.reset();
    ::FreeLibrary(hModule);
    return nExit;
}
