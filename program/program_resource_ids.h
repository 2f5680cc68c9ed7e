// Resource ids of Corvane.exe, shared by its resource script and its code.
#pragma once

// The first icon is the program's icon in the shell.
#define IDI_CORVANE 1

#define IDS_PROGRAM_CAPTION 401
#define IDS_START_WITH_WINDOWS 402
#define IDS_RESET_POSITION 403
#define IDS_CLOSE 404
#define IDS_NO_BAND 405
#define IDS_OTHER_ARCHITECTURE 406
#define IDS_BAND_FAILED 407
#define IDS_USAGE 408
#define IDS_NOT_ANSWERING 409
