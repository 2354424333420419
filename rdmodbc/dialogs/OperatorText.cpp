#include "OperatorText.h"

#include "resource.h"

namespace
{
    struct OperatorString
    {
        ConditionOperator op;
        UINT              nID;
    };

    const OperatorString aOperatorStrings[] = {
        {opLike, IDS_OP_LIKE},
        {opEqual, IDS_OP_EQUAL},
        {opBetweenExclusive, IDS_OP_BETWEEN_EXCLUSIVE},
        {opFromInclToExcl, IDS_OP_FROM_INCL_TO_EXCL},
        {opFromExclToIncl, IDS_OP_FROM_EXCL_TO_INCL},
        {opBetweenInclusive, IDS_OP_BETWEEN_INCLUSIVE},
        {opTrue, IDS_OP_TRUE},
        {opFalse, IDS_OP_FALSE},
        {opIsNull, IDS_OP_IS_NULL},
    };
}

UINT OperatorStringId(ConditionOperator op)
{
    for (const OperatorString& entry : aOperatorStrings)
    {
        if (entry.op == op)
            return entry.nID;
    }
    return 0;
}

ConditionOperator FindOperator(const CString& strText, PFN_LOADSTRING pfnLoadString)
{
    // A string missing from the language module loads as "", and an empty
    // text must not pass for that operator.
    if (strText.IsEmpty())
        return opNone;
    for (const OperatorString& entry : aOperatorStrings)
    {
        if (pfnLoadString(entry.nID) == strText)
            return entry.op;
    }
    return opNone;
}
