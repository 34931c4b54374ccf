// The resource scripts name their ids with macros (res/resource.h); the code
// uses ui/control_ids.h. Both must agree.
#include "res/resource.h"
#include "ui/control_ids.h"

namespace tessaro {

static_assert(IDD_ABOUTBOX == kDialogAbout);
static_assert(IDS_ABOUTBOX == kStringAboutEntry);
static_assert(IDS_SIZE_TIP == kStringSizeTip);
static_assert(IDS_DAMAGE_REPORT == kStringDamageReportEntry);
static_assert(IDS_SHOW_OUTPUT == kStringShowOutputEntry);
static_assert(IDS_BROWSE_IN_NAME == kStringBrowseInName);
static_assert(IDS_BROWSE_OUT_NAME == kStringBrowseOutName);
static_assert(IDS_PROGRESS_NAME == kStringProgressName);
static_assert(IDS_PROGRESS_DAMAGED_NAME == kStringProgressDamagedName);
static_assert(IDS_DAMAGE_MARK == kStringDamageMark);
static_assert(IDS_DAMAGE_MARK_TIP == kStringDamageMarkTip);
static_assert(IDS_EDITORS_TIP == kStringEditorsTip);
static_assert(IDD_TESSARO_DIALOG == kDialogMain);
static_assert(IDR_MAINFRAME == kIconMain);
static_assert(IDD_ERRORMSG == kDialogErrorMsg);
static_assert(IDC_INFO == kIdcInfo);
static_assert(IDC_INFILE == kIdcInFile);
static_assert(IDC_BROWSE_IN == kIdcBrowseIn);
static_assert(IDC_CONVERT == kIdcConvert);
static_assert(IDC_PROGRESS == kIdcProgress);
static_assert(IDC_OUTFILE == kIdcOutFile);
static_assert(IDC_BROWSE_OUT == kIdcBrowseOut);
static_assert(IDC_OUTPUT_SIZE == kIdcOutputSize);
static_assert(IDC_VERSION == kIdcVersion);
static_assert(IDC_SIZE_LABEL == kIdcSizeLabel);
static_assert(IDC_ERROR_MESSAGE == kIdcErrorMessage);
static_assert(IDC_COUNTDOWN == kIdcCountdown);
static_assert(IDC_INFO_NAME == kIdcInfoName);
static_assert(IDC_MESSAGE_NAME == kIdcMessageName);
static_assert(IDC_FOR_EDITORS == kIdcForEditors);

}  // namespace tessaro
