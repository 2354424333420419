#pragma once
// The field-mapping dialog's preview on a large data source: from the press
// of its button until the preview shows its rows and the count.
#include <string>

struct PreviewTiming
{
    long   nRows = 0;           // rows the preview shows
    double dSeconds = 0;
    std::string strCount;       // what it says of the import's rows
};

// The preview of four columns of the table, the first three mapped to
// output fields 2, 1 and 3 (field 2 padded to eight digits).
PreviewTiming TimePreview(const std::string& dataSource, const std::string& table,
                          const std::string columns[3]);
