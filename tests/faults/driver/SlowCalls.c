// A busy data source: one whose entry in odbc.ini has SlowMs=N answers each
// query and catalog call on its connections only after N milliseconds, as a
// server under load does, unless SQLCancel on the statement ends the wait.
// The waits are the one state two threads share: the module cancels from
// the thread that waits for the call.
#include "FaultDriver.h"

#include <errno.h>
#include <odbcinst.h>
#include <pthread.h>
#include <stdlib.h>
#include <string.h>
#include <strings.h>
#include <time.h>

typedef struct SlowWait
{
    SQLHSTMT hstmt;
    int bCancelled;
    struct SlowWait* pNext;
} SlowWait;

static pthread_mutex_t s_lock = PTHREAD_MUTEX_INITIALIZER;
static pthread_cond_t s_cancelled = PTHREAD_COND_INITIALIZER;
static SlowWait* s_pWaits;
static long s_nCancelled;

long FaultSlowMsOf(const SQLCHAR* pszConnect, SQLSMALLINT nLength)
{
    size_t nText = pszConnect == NULL ? 0 : nLength == SQL_NTS ? strlen((const char*)pszConnect) : (size_t)nLength;
    const char* pszEntry = (const char*)pszConnect;
    const char* pszEnd = pszEntry + nText;
    while (pszEntry < pszEnd)
    {
        const char* pszNext = memchr(pszEntry, ';', (size_t)(pszEnd - pszEntry));
        if (pszNext == NULL)
            pszNext = pszEnd;
        if (pszNext - pszEntry > 4 && strncasecmp(pszEntry, "DSN=", 4) == 0)
        {
            char szDataSource[256];
            size_t nName = (size_t)(pszNext - pszEntry - 4);
            if (nName >= sizeof szDataSource)
                return 0;
            memcpy(szDataSource, pszEntry + 4, nName);
            szDataSource[nName] = '\0';
            char szMs[32] = "";
            SQLGetPrivateProfileString(szDataSource, "SlowMs", "", szMs, sizeof szMs, "odbc.ini");
            return strtol(szMs, NULL, 10);
        }
        pszEntry = pszNext + 1;
    }
    return 0;
}

int FaultSlowCallCancelled(SQLHSTMT hstmt)
{
    const long nMs = FaultSlowMs(hstmt);
    if (nMs <= 0)
        return 0;
    struct timespec deadline;
    clock_gettime(CLOCK_REALTIME, &deadline);
    deadline.tv_sec += nMs / 1000;
    deadline.tv_nsec += (nMs % 1000) * 1000000L;
    if (deadline.tv_nsec >= 1000000000L)
    {
        ++deadline.tv_sec;
        deadline.tv_nsec -= 1000000000L;
    }
    SlowWait wait = {hstmt, 0, NULL};
    pthread_mutex_lock(&s_lock);
    wait.pNext = s_pWaits;
    s_pWaits = &wait;
    while (!wait.bCancelled && pthread_cond_timedwait(&s_cancelled, &s_lock, &deadline) != ETIMEDOUT)
    {
    }
    SlowWait** ppLink = &s_pWaits;
    while (*ppLink != &wait)
        ppLink = &(*ppLink)->pNext;
    *ppLink = wait.pNext;
    s_nCancelled += wait.bCancelled;
    pthread_mutex_unlock(&s_lock);
    if (!wait.bCancelled)
        return 0;
    static const FaultRecord record = {"HY008", "Operation canceled while the busy data source waited", 0};
    FaultSetDiagnostic(SQL_HANDLE_STMT, hstmt, &record);
    return 1;
}

void FaultCancelSlowCall(SQLHSTMT hstmt)
{
    pthread_mutex_lock(&s_lock);
    for (SlowWait* pWait = s_pWaits; pWait != NULL; pWait = pWait->pNext)
        if (pWait->hstmt == hstmt)
            pWait->bCancelled = 1;
    pthread_cond_broadcast(&s_cancelled);
    pthread_mutex_unlock(&s_lock);
}

long FaultSlowCallsCancelled(void)
{
    pthread_mutex_lock(&s_lock);
    const long nCancelled = s_nCancelled;
    pthread_mutex_unlock(&s_lock);
    return nCancelled;
}
