// Resource ids of Morvane.exe, shared by Morvane.rc and the C++ code that loads them.
#pragma once

#define IDI_APP 1

// The tray icon of a group: IDI_GROUP0 is a prohibition sign, IDI_GROUP0 + n a clipboard
// bearing the digit n (1 to 8).
#define IDI_GROUP0 100
#define IDI_GROUP1 101
#define IDI_GROUP2 102
#define IDI_GROUP3 103
#define IDI_GROUP4 104
#define IDI_GROUP5 105
#define IDI_GROUP6 106
#define IDI_GROUP7 107
#define IDI_GROUP8 108
