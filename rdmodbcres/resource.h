// Resource identifiers shared by RDMODBC and its language modules
// (RDMODBCRes.*). The numbers live here only.
#pragma once

// Dialog templates
#define IDD_DATASOURCE              1000
#define IDD_FIELDMAP                1002
#define IDD_CONDITIONLIST           1004
#define IDD_CONDITION               1005
#define IDD_TEXTENTRY               1008
#define IDD_SORT                    1010
#define IDD_PREVIEW                 1011
#define IDD_ASK_VALUES              1012    // the values of the asked conditions; none asked without it
#define IDD_PROGRESS                1013    // long work shown, with Cancel; without it the work is not shown

// Data-source and table dialog (1000)
#define IDC_SOURCE_LIST             1000
#define IDC_BACK                    1001
#define IDC_DSN_TYPE                1002
#define IDC_INCLUDE_VIEWS           1033
#define IDC_DESCRIPTION             1035
#define IDC_INCLUDE_SYSTEM_TABLES   1042

// Field-mapping dialog (1002); IDC_BACK as above
#define IDC_COLUMN_LIST             1004
#define IDC_PREFIX                  1005
#define IDC_SUFFIX                  1006
#define IDC_OUTPUT_FIELD            1007
#define IDC_CONDITIONS              1009
#define IDC_AS_TIME                 1012    // enabled with the date/time radio group
#define IDC_PAD_WIDTH               1025
#define IDC_FILL                    1026
#define IDC_PAD                     1027
#define IDC_PAD_RIGHT               1028
#define IDC_INTEGER                 1034
#define IDC_AS_DELIVERED            1038    // first of the date/time radio group
#define IDC_AS_DATE                 1039
#define IDC_SORT                    1050    // opens the sort order; a module without it offers no sorting
#define IDC_SORT_ORDER              1051    // one line: the chosen order
#define IDC_PREVIEW                 1052    // opens the preview; a module without it offers none
#define IDC_ONLY_WITH_VALUE         1070    // prefix, fill and suffix only with a value; not offered without it
#define IDC_CLEAR_CHOICES           1071    // starts the table afresh; not offered without it

// Sort order dialog (1010): per key its field and its direction
#define IDC_SORT_KEY1               1053
#define IDC_SORT_KEY2               1054
#define IDC_SORT_KEY3               1055
#define IDC_SORT_DESCENDING1        1056
#define IDC_SORT_DESCENDING2        1057
#define IDC_SORT_DESCENDING3        1058

// Preview (1011)
#define IDC_PREVIEW_LIST            1059
#define IDC_PREVIEW_COUNT           1060

// Condition list dialog (1004)
#define IDC_ALL_ROWS                1011    // first of its radio group
#define IDC_USE_CONDITIONS          1012
#define IDC_CONDITION_LIST          1017
#define IDC_ADD_CONDITION           1018
#define IDC_REMOVE_CONDITION        1020
#define IDC_ADD_TEXT                1041

// Condition editor (1005); the condition list may carry IDC_COLUMN too
#define IDC_COLUMN                  1021
#define IDC_TYPE_NAME               1022
#define IDC_VALUE1                  1023
#define IDC_VALUE2                  1024
#define IDC_OPERATOR                1030
#define IDC_NEGATE                  1031
#define IDC_ASK_AT_IMPORT           1072    // the values are asked at each import; not offered without it
// The asked values (1012): one row per asked condition, row n of label and
// boxes IDC_ASK_LABEL + 3n, IDC_ASK_VALUE1 + 3n, IDC_ASK_VALUE2 + 3n; the
// template holds the first row
#define IDC_ASK_LABEL               1080
#define IDC_ASK_VALUE1              1081
#define IDC_ASK_VALUE2              1082
// Long work (1013): what is being done; IDC_WORK_DONE is the command that
// the work's end sends, no control
#define IDC_WORK_TEXT               1090
#define IDC_WORK_DONE               1091

// Text-entry dialog (1008)
#define IDC_TEXT                    1040

// Strings
#define IDS_TITLE_DATASOURCE        1
#define IDS_TITLE_TABLE             2
#define IDS_NO_PRIMARY_COLUMN       3
#define IDS_NO_PRIMARY_CAPTION      5
#define IDS_OP_LIKE                 7
#define IDS_OP_EQUAL                8
#define IDS_OP_BETWEEN_EXCLUSIVE    9
#define IDS_OP_FROM_INCL_TO_EXCL    10
#define IDS_OP_FROM_EXCL_TO_INCL    11
#define IDS_OP_BETWEEN_INCLUSIVE    12
#define IDS_MISSING_VALUE           13
#define IDS_APP_TITLE               14      // also the caption of the missing-value message
#define IDS_OP_TRUE                 15
#define IDS_OP_FALSE                16
#define IDS_OP_IS_NULL              17
#define IDS_NO_DESCRIPTION          19
#define IDS_LOADING_COLUMNS         20
#define IDS_LOADING                 21
#define IDS_NOT_A_DATETIME          22      // a condition's value for a date or time column reads as neither
#define IDS_SORT_NONE               23      // the sort dialog's entry for no key
#define IDS_SORTED_BY               24      // the field-mapping dialog's line: the first key
#define IDS_SORT_THEN               25      // each further key
#define IDS_SORT_DESCENDING         26      // a key sorted in descending order
#define IDS_PREVIEW_ROWS            27      // the preview's count of the import's rows
#define IDS_PREVIEW_ONE_ROW         28
#define IDS_PREVIEW_COUNT_UNKNOWN   29
// Why a typed condition or a value was refused before it reached SQL
#define IDS_SQL_SEPARATOR           30
#define IDS_SQL_OPEN_TEXT           31
#define IDS_SQL_OPEN_NAME           32
#define IDS_SQL_OPEN_COMMENT        33
#define IDS_SQL_LINE_BREAK          34
#define IDS_SQL_AMBIGUOUS           35
#define IDS_SQL_VALUE_COMMENT       36
#define IDS_SQL_NOT_A_NUMBER        37      // a number column's value that is no number
#define IDS_SQL_UNSURE_READING      38      // a backslash or a non-ASCII byte beside a quote, the engine's reading unknown
#define IDS_LAST_IMPORT_DROPPED     50      // the last import's columns that the table no longer has
// Beside an empty data-source list: why it is empty, for a host of %d bits
#define IDS_NO_DRIVER_MANAGER       51
#define IDS_NO_DATA_SOURCES         52
#define IDS_LAST_IMPORT_REWRITTEN   53      // the last import's conditions that could not be written for the data source
#define IDS_COLUMNS_UNREADABLE      54      // the table's columns could not be read; the last import's choices stay
#define IDS_CONDITION_ASKED         55      // a condition whose values are asked, as the condition list shows it
// What to do about a driver's failure, shown before the driver's text; the
// driver's text alone without them
#define IDS_FAILURE_NO_DRIVER       60      // IM002, IM003
#define IDS_FAILURE_OTHER_BITNESS   61      // IM014: %d bits, %d bits, the administrator's path
#define IDS_FAILURE_NOT_REACHED     62      // 08001, 08S01, HYT00, HYT01
#define IDS_FAILURE_LOGIN           63      // 28000, 28P01
#define IDS_FAILURE_GONE            64      // 42S02, 42S22, 42P01, 42703
#define IDS_FAILURE_PERMISSION      65      // 42501, 42000 with a permission text
#define IDS_FAILURE_READ_ONLY       66      // 25006, MariaDB 1792
#define IDS_FAILURE_CONDITION       67      // 42000, 42601, 42883
#define IDS_FAILURE_TIMEOUT         68      // 57014, MariaDB 1969: the statement ran past the import's time
#define IDS_FAILURE_OTHER           75      // every other failure
// What the long-work window says is being done
#define IDS_WORK_CONNECT            69      // %s: the data source
#define IDS_WORK_TABLES             70
#define IDS_WORK_COLUMNS            71
#define IDS_WORK_IMPORT             72
#define IDS_WORK_COUNT              73
#define IDS_WORK_CANCELLING         74      // after Cancel, until the driver has ended the call
