#pragma once

#define IDD_PROBE       100
#define IDS_PROBE       101
#define IDC_PROBE_TEXT  1000
#define IDC_PROBE_GO    1001
