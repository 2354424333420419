#include "CException.h"
#include "CWinApp.h"

int CException::ReportError(UINT nType) const
{
    return AfxMessageBox(GetErrorMessage(), nType);
}
