// Resource ids shared by the resource script and the code.
#pragma once

#define IDB_GO_NORMAL 201
#define IDB_GO_ACTIVE 202

#define IDS_SHOW_GO_BUTTON 301
#define IDS_ABOUT_TITLE 302
#define IDS_ABOUT_MENU 303
#define IDS_ABOUT_TEXT 304
#define IDS_PRODUCT_NAME 305
#define IDS_DISPLAY_NAME 306
#define IDS_GO_TOOLTIP 307
#define IDS_SEARCH_HINT 308
#define IDS_EMPTY_QUERY 309
#define IDS_INSTALLED 310
#define IDS_RECENT_SEARCH 311
#define IDS_PRESS 312
#define IDS_SUGGESTIONS 313
#define IDS_SEARCH_WITH 314
#define IDS_NO_BROWSER 315

#define IDS_FIRST IDS_SHOW_GO_BUTTON
#define IDS_LAST IDS_NO_BROWSER

// CORVANEUI.DLL's own texts, English among its languages: the box's menu.
#define IDS_BOX_UNDO 401
#define IDS_BOX_CUT 402
#define IDS_BOX_COPY 403
#define IDS_BOX_PASTE 404
#define IDS_PASTE_AND_SEARCH 405
#define IDS_BOX_DELETE 406
#define IDS_BOX_SELECT_ALL 407

#define IDS_UI_FIRST IDS_BOX_UNDO
#define IDS_UI_LAST IDS_BOX_SELECT_ALL
