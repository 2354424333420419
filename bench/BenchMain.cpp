// The benchmark: rows per second through RDMODBCMoveNext against bare ODBC
// loops, and the catalog fills against the bare catalog calls, on the
// databases that make-bench-data.sh wrote. Run it with scripts/run-bench.
#include "BenchClock.h"
#include "CatalogBenchmark.h"
#include "ImportPeak.h"
#include "PreviewBenchmark.h"
#include "RawConnection.h"
#include "RowBenchmark.h"
#include "framework/CWinApp.h"
#include "odbc/Connection.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

namespace
{
    const char szRowsConnect[] = "DSN=rdm_bench_rows";
    const char szCatalogSource[] = "rdm_bench_catalog";
    const char szRowsSource[] = "rdm_bench_rows";
    // The servers that scripts/run-bench starts, each with tables of
    // 100,000 and 1,000,000 rows.
    const char* const apszServerConnects[] = {"DSN=rdm_bench_rows_mariadb", "DSN=rdm_bench_rows_postgresql"};
    const long anServerSizes[] = {100000, 1000000};

    void PrintRow(const char* pszMethod, const RowTiming& timing, double dBaseSeconds)
    {
        double dMicroseconds = timing.nRows ? timing.dSeconds * 1e6 / timing.nRows : 0;
        std::printf("  %-24s %8ld rows %7.3f s %6.2f us/row %8.0f rows/s  x%.2f  working set +%6.1f MB\n", pszMethod,
                    timing.nRows, timing.dSeconds, dMicroseconds, timing.nRows / timing.dSeconds,
                    timing.dSeconds / dBaseSeconds,
                    (timing.nPeakWorkingSet - timing.nStartWorkingSet) / 1048576.0);
    }

    RowTiming Faster(const RowTiming& best, const RowTiming& timing)
    {
        return best.nRows == 0 || timing.dSeconds < best.dSeconds ? timing : best;
    }

    void RunRows(const std::vector<long>& sizes, int nRounds)
    {
        std::printf("Rows: four mapped columns (pad, prefix, integer, date); times include connecting;\n"
                    "ratios to SQLFetch+SQLGetData; growth of the working set while reading; best of %d\n", nRounds);
        for (long nSize : sizes)
        {
            std::string table = "rows_" + std::to_string(nSize);
            // Other work on the machine only ever adds time: each method runs
            // nRounds times, the rounds interleaved, and its fastest counts.
            RowTiming plain, block, bound, module, unformatted;
            for (int nRound = 0; nRound < nRounds; ++nRound)
            {
                plain = Faster(plain, TimeFetchAndGetData(szRowsConnect, table));
                block = Faster(block, TimeBlockFetch(szRowsConnect, table));
                bound = Faster(bound, TimeBoundFetch(szRowsConnect, table));
                module = Faster(module, TimeMoveNext(szRowsConnect, table, true));
                unformatted = Faster(unformatted, TimeMoveNext(szRowsConnect, table, false));
            }
            std::printf("%ld rows\n", nSize);
            PrintRow("RDMODBCMoveNext", module, plain.dSeconds);
            PrintRow("  the same, no formatting", unformatted, plain.dSeconds);
            PrintRow("SQLFetch+SQLGetData", plain, plain.dSeconds);
            PrintRow("block fetch (1000 rows)", block, plain.dSeconds);
            PrintRow("bound, row by row", bound, plain.dSeconds);
        }
        std::printf("peak working set of the process: %.1f MB\n", ProcessMemory().PeakWorkingSetSize / 1048576.0);
        std::fflush(stdout);
    }

    // The data source's connect string with the keywords with which the
    // import's own connection streams the rows, as the driver's own loop
    // would have them to read the same way.
    std::string StreamingConnect(const char* pszConnect)
    {
        CDatabase db;
        if (!db.OpenEx(pszConnect, CDatabase::noOdbcDialog))
            return pszConnect;
        const CString strKeywords = StreamingKeywords(db);
        return strKeywords.IsEmpty() ? std::string(pszConnect) : std::string(pszConnect) + ";" + strKeywords.Str();
    }

    // The module's cost beside each server's driver: the same mapping over
    // the server's tables against the plain loop on the same server, with
    // the data source's settings and with the streaming of the import.
    void RunServerRows(int nRounds)
    {
        std::printf("Rows on the servers: as above; best of %d\n", nRounds);
        for (const char* pszConnect : apszServerConnects)
        {
            if (!CRawConnection(pszConnect).IsOpen())
            {
                std::printf("%s: no server (scripts/run-bench starts them)\n", pszConnect);
                continue;
            }
            for (long nSize : anServerSizes)
            {
                const std::string table = "rows_" + std::to_string(nSize);
                const std::string streaming = StreamingConnect(pszConnect);
                RowTiming plain, streamed, block, module, unformatted;
                for (int nRound = 0; nRound < nRounds; ++nRound)
                {
                    plain = Faster(plain, TimeFetchAndGetData(pszConnect, table));
                    streamed = Faster(streamed, TimeFetchAndGetData(streaming, table));
                    block = Faster(block, TimeBlockFetch(pszConnect, table));
                    module = Faster(module, TimeMoveNext(pszConnect, table, true));
                    unformatted = Faster(unformatted, TimeMoveNext(pszConnect, table, false));
                }
                std::printf("%s, %ld rows\n", pszConnect, nSize);
                PrintRow("RDMODBCMoveNext", module, plain.dSeconds);
                PrintRow("  the same, no formatting", unformatted, plain.dSeconds);
                PrintRow("SQLFetch+SQLGetData", plain, plain.dSeconds);
                PrintRow("  the same, streaming", streamed, plain.dSeconds);
                PrintRow("block fetch (1000 rows)", block, plain.dSeconds);
            }
        }
        std::fflush(stdout);
    }

    // The peak working set of a whole import on each engine, each import in
    // a process of its own.
    void RunImportPeaks()
    {
        std::printf("Peak working set of an import (connect, execute, every row), a process each:\n");
        for (const char* pszConnect : {szRowsConnect, apszServerConnects[0], apszServerConnects[1]})
        {
            for (long nSize : anServerSizes)
            {
                const ImportPeak peak = MeasureImportPeak(pszConnect, "rows_" + std::to_string(nSize));
                if (peak.dPeakMB == 0)
                {
                    std::printf("  %-30s %8ld rows: not measured\n", pszConnect, nSize);
                    continue;
                }
                std::printf("  %-30s %8ld rows: peak %6.1f MB, %+6.1f MB over the process before it\n",
                            pszConnect, peak.nRows, peak.dPeakMB, peak.dPeakMB - peak.dStartMB);
            }
        }
        std::fflush(stdout);
    }

    void PrintCatalog(const char* pszWhat, const CatalogTiming& own, const char* pszBare, const CatalogTiming& bare)
    {
        std::printf("  %-30s %6ld rows %7.3f s | %-34s %6ld rows %7.3f s  x%.2f\n", pszWhat, own.nRows,
                    own.dSeconds, pszBare, bare.nRows, bare.dSeconds, own.dSeconds / bare.dSeconds);
    }

    // The dialogs take their templates and strings from the language module,
    // which the build puts beside the benchmark's own folder.
    bool LoadLanguageModule()
    {
        char szPath[MAX_PATH];
        DWORD nLength = ::GetModuleFileNameA(nullptr, szPath, MAX_PATH);
        std::string path(szPath, nLength);
        path = path.substr(0, path.rfind('\\'));
        path = path.substr(0, path.rfind('\\')) + "\\rdmodbcres\\RDMODBCRes.dll";
        HMODULE hModule = ::LoadLibraryA(path.c_str());
        AfxGetModuleState()->m_hCurrentResourceHandle = hModule;
        return hModule != nullptr;
    }

    // The fastest of nRounds runs, as for the rows.
    CatalogTiming Fastest(int nRounds, const std::function<CatalogTiming()>& measure)
    {
        CatalogTiming best = measure();
        for (int nRound = 1; nRound < nRounds; ++nRound)
        {
            CatalogTiming timing = measure();
            if (timing.dSeconds < best.dSeconds)
                best = timing;
        }
        return best;
    }

    void RunCatalog(int nRounds, bool bDialogs)
    {
        std::printf("Catalog: 20,000 tables, a table of 1,000 columns; ratios to the bare catalog calls; best of %d\n",
                    nRounds);
        PrintCatalog("ReadTableCatalog", Fastest(nRounds, [] { return TimeReadTableCatalog(szCatalogSource); }),
                     "SQLTables, fetch", Fastest(nRounds, [] { return TimeBareTables(szCatalogSource, false); }));
        if (!bDialogs)
        {
            std::printf("  no language module: the dialogs are not timed\n");
            return;
        }
        PrintCatalog("table step (OK to list filled)", Fastest(nRounds, [] { return TimeTableStep(szCatalogSource); }),
                     "connect, SQLTables, fetch",
                     Fastest(nRounds, [] { return TimeBareTables(szCatalogSource, true); }));
        CatalogTiming columns = Fastest(nRounds, [] { return TimeColumnList(szCatalogSource, "wide"); });
        PrintCatalog("column list (FillColumnList)", columns, "connect, SQLColumns, fetch",
                     Fastest(nRounds, [] { return TimeBareColumns(szCatalogSource, "wide", false); }));
        PrintCatalog("", columns, "  + SQLGetTypeInfo per column",
                     Fastest(nRounds, [] { return TimeBareColumns(szCatalogSource, "wide", true); }));
        std::fflush(stdout);
    }

    // From the press of the preview button to the preview on screen: its
    // rows read and the import's rows counted, by the data source.
    void RunPreview(int nRounds)
    {
        std::printf("Preview: press of the button to the preview shown (its 100 rows and the count); best of %d\n",
                    nRounds);
        struct Case { const char* what; const char* source; const char* table; std::string columns[3]; };
        const Case cases[] = {
            {"1,000,000 rows", szRowsSource, "rows_1000000", {"id", "name", "born"}},
            {"a table of 1,000 columns", szCatalogSource, "wide", {"c0001", "c0002", "c1000"}},
        };
        for (const Case& c : cases)
        {
            PreviewTiming best;
            for (int nRound = 0; nRound < nRounds; ++nRound)
            {
                PreviewTiming timing = TimePreview(c.source, c.table, c.columns);
                if (nRound == 0 || timing.dSeconds < best.dSeconds)
                    best = timing;
            }
            std::printf("  %-26s %4ld rows shown %7.3f s  \"%s\"\n", c.what, best.nRows, best.dSeconds,
                        best.strCount.c_str());
        }
        std::fflush(stdout);
    }
}

int main(int argc, char** argv)
{
    if (argc == 4 && std::string(argv[1]) == "--import-peak")
        return PrintImportPeak(argv[2], argv[3]);
    std::vector<long> sizes = {10000, 100000, 1000000};
    bool bRows = true, bCatalog = true, bPreview = true;
    int nRounds = 3;
    for (int i = 1; i < argc; ++i)
    {
        std::string argument = argv[i];
        if (argument == "--rows-only")
            bCatalog = bPreview = false;
        else if (argument == "--catalog-only")
            bRows = bPreview = false;
        else if (argument == "--preview-only")
            bRows = bCatalog = false;
        else if (argument == "--small")
            sizes = {10000, 100000};
        else if (argument == "--rounds" && i + 1 < argc)
            nRounds = std::max(1, std::atoi(argv[++i]));
    }
    if (bRows)
    {
        RunRows(sizes, nRounds);
        RunServerRows(nRounds);
        RunImportPeaks();
    }
    const bool bDialogs = LoadLanguageModule();
    if (bCatalog)
        RunCatalog(nRounds, bDialogs);
    if (bPreview && bDialogs)
        RunPreview(nRounds);
    return 0;
}
