// The control statements that the tests send over the control connection.
#include "FaultDriver.h"

#include <ctype.h>
#include <stdio.h>
#include <string.h>

static const char s_szPrefix[] = "-- fault:";

int FaultControlStatement(const char* pszText, size_t nLength, char* pszSql, size_t nSize)
{
    const size_t nPrefix = sizeof s_szPrefix - 1;
    if (nLength < nPrefix || strncmp(pszText, s_szPrefix, nPrefix) != 0)
        return 0;

    // The command without the blanks around it.
    const char* pszBegin = pszText + nPrefix;
    const char* pszEnd = pszText + nLength;
    while (pszBegin < pszEnd && isspace((unsigned char)*pszBegin))
        ++pszBegin;
    while (pszEnd > pszBegin && isspace((unsigned char)pszEnd[-1]))
        --pszEnd;
    char szCommand[64] = "";
    if ((size_t)(pszEnd - pszBegin) >= sizeof szCommand)
        return -1;
    memcpy(szCommand, pszBegin, pszEnd - pszBegin);

    long nFailAt = 0;
    int nUsed = 0;
    if (strcmp(szCommand, "report") == 0)
    {
        FaultReportStatement(pszSql, nSize);
        return 1;
    }
    if (strcmp(szCommand, "off") == 0)
        FaultDisarm();
    else if (sscanf(szCommand, "at %ld%n", &nFailAt, &nUsed) == 1 && szCommand[nUsed] == '\0' && nFailAt >= 0)
        FaultArm(nFailAt);
    else
        return -1;
    snprintf(pszSql, nSize, "SELECT 'done'");
    return 1;
}
