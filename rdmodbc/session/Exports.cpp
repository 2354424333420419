// The exported functions. No C++ exception leaves them: the host is not built
// on our framework and could not catch one.
#include "RDMODBC.h"

#include "ImportSession.h"
#include "OpenSequence.h"
#include "RDMODBCApp.h"
#include "langres/ResLoader.h"

CRDMODBCApp theApp;

int WINAPI RDMODBCOpen(void)
{
    try
    {
        return OpenImportSession();
    }
    catch (CException* pException)
    {
        // A failed reconnect or first move: shown here, since the host
        // cannot catch it, and nothing is left open.
        ReportAndDelete(pException);
    }
    catch (...)
    {
    }
    theSession.EndReading();
    return 0;
}

int WINAPI RDMODBCMoveNext(LPSTR lpszField1, int nMaxChars1, LPSTR lpszField2, int nMaxChars2,
                           LPSTR lpszField3, int nMaxChars3, LPSTR lpszField4, int nMaxChars4)
{
    LPSTR alpszFields[OUTPUT_FIELDS] = {lpszField1, lpszField2, lpszField3, lpszField4};
    const int anMaxChars[OUTPUT_FIELDS] = {nMaxChars1, nMaxChars2, nMaxChars3, nMaxChars4};
    try
    {
        return theSession.MoveNext(alpszFields, anMaxChars);
    }
    catch (CException* pException)
    {
        ReportAndDelete(pException);
    }
    catch (...)
    {
    }
    theSession.EndReading();
    return 0;
}

int WINAPI RDMODBCClose(void)
{
    try
    {
        theSession.EndReading();
    }
    catch (...)
    {
    }
    resFree(theSession.m_hResModule);
    theSession.m_hResModule = nullptr;
    return 0;
}
