#include "FieldMappingImport.h"

#include "query/Condition.h"

#include <algorithm>

ImportQuery FieldMappingImport(const CFieldMapDlg& dlg, const SqlDialect& dialect)
{
    ImportQuery query;
    query.strSchema = dlg.m_strSchema;
    query.strTable = dlg.m_strTable;
    for (int k = 0; k < OUTPUT_FIELDS; ++k)
    {
        query.astrColumns[k] = dlg.m_aMap[k].m_strColumn;
        query.aFields[k] = dlg.m_aMap[k];
    }
    for (const char* pszFilter : ConditionFilterTexts(dlg.m_pConditions, dlg.m_nConditions, dlg.m_bUseConditions))
    {
        if (pszFilter != nullptr)
            query.filters.push_back(pszFilter);
    }
    std::copy(std::begin(dlg.m_aSortKeys), std::end(dlg.m_aSortKeys), query.aSortKeys);
    query.dialect = dialect;
    return query;
}
