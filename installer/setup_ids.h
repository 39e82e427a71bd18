#pragma once
// Resource and control ids of the setup program; the carried files' ids are in kit/setup_run.h.
#define QV_SETUP_DIALOG 200
#define QV_SETUP_MAIN_FIRST 210  // welcome and finish page: picture and labels
#define QV_SETUP_PICTURE 210
#define QV_SETUP_LABEL0 211
#define QV_SETUP_LABEL1 212
#define QV_SETUP_LABEL2 213
#define QV_SETUP_LABEL3 214
#define QV_SETUP_THEME 220
#define QV_SETUP_INFORMATION 221
#define QV_SETUP_RULE 222
#define QV_SETUP_INSTALL 230  // action page
#define QV_SETUP_REMOVE 231
#define QV_SETUP_ACTION_TEXT 232
#define QV_SETUP_COMPONENTS_TITLE 240  // environments page
#define QV_SETUP_COMPONENTS 241
#define QV_SETUP_COMPONENTS_TEXT 242
#define QV_SETUP_FOLDER_FRAME 250  // folder page
#define QV_SETUP_FOLDER 251
#define QV_SETUP_BROWSE 252
#define QV_SETUP_FOLDER_TEXT 253
#define QV_SETUP_PROCESS 260  // progress page
#define QV_SETUP_LOG 261
#define QV_SETUP_BACK 270
