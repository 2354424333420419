#include "MappedImport.h"

#include "query/Condition.h"

MappedImport::MappedImport(const CFieldMapDlg& dlg)
    : filters(ConditionFilterTexts(dlg.m_pConditions, dlg.m_nConditions, dlg.m_bUseConditions))
{
    for (int k = 0; k < OUTPUT_FIELDS; ++k)
    {
        astrColumns[k] = dlg.m_aMap[k].m_strColumn;
        aOptions[k] = dlg.m_aMap[k];
    }
}
