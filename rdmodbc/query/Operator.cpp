#include "Operator.h"

#include "resource.h"

UINT FindOperator(const CString& strText, PFN_LOADSTRING pfnLoadString)
{
    static const UINT anOperators[] = {
        IDS_OP_LIKE, IDS_OP_EQUAL, IDS_OP_BETWEEN_EXCLUSIVE, IDS_OP_FROM_INCL_TO_EXCL,
        IDS_OP_FROM_EXCL_TO_INCL, IDS_OP_BETWEEN_INCLUSIVE, IDS_OP_TRUE, IDS_OP_FALSE, IDS_OP_IS_NULL,
    };
    // A string missing from the language module loads as "", and an empty
    // text must not pass for that operator.
    if (strText.IsEmpty())
        return 0;
    for (UINT nID : anOperators)
    {
        if (pfnLoadString(nID) == strText)
            return nID;
    }
    return 0;
}
