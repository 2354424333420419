#pragma once
// The peak working set of a whole import, from connecting and executing the
// statement to the last row, each measured in a process of its own: a
// process's peak cannot be reset, and memory a driver freed stays with the
// process that used it.
#include <string>

struct ImportPeak
{
    long   nRows = 0;
    double dStartMB = 0;        // the process before the import
    double dPeakMB = 0;         // the process's peak, the import included
};

// Runs the import in this process and prints what ReadImportPeak reads.
int PrintImportPeak(const std::string& connect, const std::string& table);
// Runs the benchmark program again with --import-peak for the import; a
// peak of 0 when it failed.
ImportPeak MeasureImportPeak(const std::string& connect, const std::string& table);
