// Resource identifiers shared by the resource scripts and the code.
#pragma once

#define IDI_VELMORA 1
#define IDD_INPUTBOX 200
#define IDC_INPUTBOX_PROMPT 201
#define IDC_INPUTBOX_TEXT 202
