// Resource and control numbers of the editor, shared by curset.rc and the code.
#pragma once

#define IDI_EDITOR 128    // the dialog's large and small icon
#define IDD_SETTINGS 130  // the settings dialog

#define IDC_PREVIEW 1000         // the clock line in the chosen font and colours
#define IDC_APPLY 1001           // save and stay open
#define IDC_SHOW_DATE 1002       // check boxes
#define IDC_SHOW_WEEKDAY 1006
#define IDC_SHOW_TIME 1007
#define IDC_SHOW_AMPM 1008
#define IDC_DATE_FORMAT 1003     // drop-down lists
#define IDC_TIME_FORMAT 1009
#define IDC_WEEKDAY_STYLE 1015
#define IDC_DATE_SEPARATOR 1017
#define IDC_TIME_SEPARATOR 1018
#define IDC_BACK_COLOR 1004      // opens the colour picker
#define IDC_OK 1005              // save and close
#define IDC_FONT 1023            // opens the font picker
