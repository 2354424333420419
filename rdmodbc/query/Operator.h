#pragma once
// The operators of a filter condition, as the condition texts know them. The
// dialogs show each by a string of the language module and tell which one
// the user chose by that string (dialogs/OperatorText).
enum ConditionOperator
{
    opNone,
    opLike,                 // pattern match
    opEqual,
    opBetweenExclusive,     // both ends excluded
    opFromInclToExcl,
    opFromExclToIncl,
    opBetweenInclusive,     // both ends included
    opTrue,                 // a bit column
    opFalse,
    opIsNull,
};

// How many values the operator takes: 1 for a pattern and for equality, 2
// for the ranges, 0 for the rest.
inline int OperatorValues(ConditionOperator op)
{
    switch (op)
    {
    case opLike:
    case opEqual:
        return 1;
    case opBetweenExclusive:
    case opFromInclToExcl:
    case opFromExclToIncl:
    case opBetweenInclusive:
        return 2;
    case opNone:
    case opTrue:
    case opFalse:
    case opIsNull:
        break;
    }
    return 0;
}
