#pragma once
// Templates and controls of the add-in's dialogs; shared by dialogs.rc and the code.

// The About box.
#define QV_ABOUT_DIALOG 2001
#define QV_ABOUT_VERSION 2101
#define QV_ABOUT_THANKS 2102

// The colour dialog.
#define QV_COLOUR_DIALOG 2002
#define QV_COLOUR_RGB 2201
#define QV_COLOUR_HEX 2202
#define QV_COLOUR_DECIMAL 2203
#define QV_COLOUR_R_LABEL 2211
#define QV_COLOUR_R 2212
#define QV_COLOUR_G_LABEL 2213
#define QV_COLOUR_G 2214
#define QV_COLOUR_B_LABEL 2215
#define QV_COLOUR_B 2216
#define QV_COLOUR_HEX_TEXT 2217
#define QV_COLOUR_DECIMAL_TEXT 2218
#define QV_COLOUR_PREVIEW 2219
#define QV_COLOUR_CANCEL 2220

// The declarations dialog; "Добавить" and "Отмена" are IDOK and IDCANCEL, for Enter and Esc.
#define QV_DECLARATIONS_DIALOG 2006
#define QV_DECLARATIONS_LIST 2601

// The procedure list; "Перейти" and "Отмена" are IDOK and IDCANCEL.
#define QV_PROCS_DIALOG 2040
#define QV_PROCS_DISPLAY_ALL 2401
#define QV_PROCS_LIST 2402
#define QV_PROCS_LIST_SORTED 2403
#define QV_PROCS_HELP 2404
#define QV_PROCS_SORT 2405
#define QV_PROCS_FRAME 2406
#define QV_PROCS_DESCRIPTION 2407
