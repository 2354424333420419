#pragma once
// A full heap, on purpose: the program's calls of a runtime allocation
// function (calloc, _strdup) fail from the n-th call on, while the object
// lives. The program's import of the function is redirected to a stand-in
// that counts; the module's code, linked into the program, calls through it.
#include <windows.h>

class CFailingAllocation
{
public:
    // pszFunction: "calloc" or "_strdup"; nSucceeding: calls that still
    // succeed before the first failure.
    CFailingAllocation(const char* pszFunction, int nSucceeding);
    ~CFailingAllocation();
    CFailingAllocation(const CFailingAllocation&) = delete;
    CFailingAllocation& operator=(const CFailingAllocation&) = delete;

    // The stand-in took the program's calls: the import was found.
    bool IsActive() const { return m_nPatched > 0; }
    int Failures() const;

private:
    int m_nPatched = 0;
};
