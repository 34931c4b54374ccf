#pragma once
// Resource and control ids shared by the dialog logic and every platform window.

#include "res/texts.h"

namespace tessaro {

// Standard command ids of the dialogs' hidden buttons.
inline constexpr int kIdOk = 1;
inline constexpr int kIdCancel = 2;

// Dialog templates.
inline constexpr int kDialogAbout = 100;      // about box
inline constexpr int kDialogMain = 102;       // main dialog
inline constexpr int kDialogErrorMsg = 132;   // error message window

// Other resources.
inline constexpr int kIconMain = 128;         // program icon, 32x32 and 16x16
inline constexpr int kStringAboutEntry = 101; // text of the about menu entry
inline constexpr int kStringSizeTip = 103;    // tooltip of the size choice
inline constexpr int kStringDamageReportEntry = 104;  // menu entry: the damage report again
inline constexpr int kStringShowOutputEntry = 105;    // menu entry: the output in its folder
inline constexpr int kStringBrowseInName = 106;       // screen readers' names, see res/texts.h
inline constexpr int kStringBrowseOutName = 107;
inline constexpr int kStringProgressName = 108;
inline constexpr int kStringProgressDamagedName = 109;
inline constexpr int kStringDamageMark = 111;         // the mark's word on the progress bar
inline constexpr int kStringDamageMarkTip = 112;      // its tooltip
inline constexpr int kStringEditorsTip = 113;         // tooltip of the editors' choice

// Controls of the main dialog.
inline constexpr int kIdcInfo = 1000;         // read-only multi-line information box
inline constexpr int kIdcInFile = 1001;       // input path edit
inline constexpr int kIdcBrowseIn = 1002;     // "参照" for the input
inline constexpr int kIdcConvert = 1003;      // "変換"
inline constexpr int kIdcProgress = 1004;     // progress bar, range 0..100
inline constexpr int kIdcOutFile = 1005;      // output path edit
inline constexpr int kIdcBrowseOut = 1006;    // "参照" for the output
inline constexpr int kIdcOutputSize = 1008;   // size combo box: 0 "1/1", 1 "1/2"
inline constexpr int kIdcSizeLabel = 1010;    // "TSRｻｲｽﾞ"
inline constexpr int kIdcInfoName = 1013;     // hidden label: the information box's name
inline constexpr int kIdcForEditors = 1015;   // check box: the editors' block flavour

// Control of the about box.
inline constexpr int kIdcVersion = 1009;      // the version text

// Controls of the error message window.
inline constexpr int kIdcErrorMessage = 1011; // read-only multi-line message
inline constexpr int kIdcCountdown = 1012;    // countdown text
inline constexpr int kIdcMessageName = 1014;  // hidden label: the message's name

// Command id of the about entry (system menu on Windows, context menu elsewhere).
inline constexpr unsigned kIdmAboutBox = 0x0010;

// Texts of the resources, from the header the resource script shares.
inline constexpr const char kAboutEntryText[] = TSR_TEXT_ABOUT_ENTRY;

}  // namespace tessaro
