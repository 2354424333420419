#pragma once
// The robot's own test dialog, in the test program's resources.
#define IDD_ROBOT_TEST  950
#define IDC_ROBOT_TEXT  951
