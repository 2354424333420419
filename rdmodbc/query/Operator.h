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
