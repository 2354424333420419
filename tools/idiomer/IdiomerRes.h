// Resource identifiers of the language-setting program.
#pragma once

#define IDD_LANGUAGE    100
#define IDC_LANGUAGES   101
