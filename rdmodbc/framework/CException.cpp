#include "CException.h"
#include "CWinApp.h"

int CException::ReportError(UINT nType) const
{
    // An exception without a text has been told already, or is the user's
    // own Cancel.
    const CString strMessage = GetErrorMessage();
    return strMessage.IsEmpty() ? IDOK : AfxMessageBox(strMessage, nType);
}
