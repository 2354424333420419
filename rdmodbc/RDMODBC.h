#pragma once
// The record-source interface of RDMODBC.dll, as a host calls it.
#include <windows.h>

#ifdef __cplusplus
extern "C" {
#endif

// Leads the user through the import dialogs and opens the record set.
// 1 = open (possibly empty); 0 = cancelled or failed.
int WINAPI RDMODBCOpen(void);
// Copies the current row's four formatted fields, each cut to its limit and
// NUL-terminated, into the caller's buffers (limit + 1 bytes each) and moves
// on. 1 = a row was delivered; 0 = no row.
int WINAPI RDMODBCMoveNext(LPSTR lpszField1, int nMaxChars1, LPSTR lpszField2, int nMaxChars2,
                           LPSTR lpszField3, int nMaxChars3, LPSTR lpszField4, int nMaxChars4);
// Ends the session and unloads the language module. Always 0.
int WINAPI RDMODBCClose(void);

typedef int (WINAPI* PFN_RDMODBCOPEN)(void);
typedef int (WINAPI* PFN_RDMODBCMOVENEXT)(LPSTR, int, LPSTR, int, LPSTR, int, LPSTR, int);
typedef int (WINAPI* PFN_RDMODBCCLOSE)(void);

#ifdef __cplusplus
}
#endif
