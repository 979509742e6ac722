// The feature dialogs the tiles open. A tile not listed here does nothing yet.
#pragma once

#include "alarm/CAlarmHistoryDlg.h"
#include "alarm/CAlarmPhoneDlg.h"
#include "alarm/COperateHostDlg.h"
#include "alarm/CTimedArmDlg.h"

#define VEYRA_FEATURE_TILES                      \
  VEYRA_FEATURE_TILE(History, CAlarmHistoryDlg)  \
  VEYRA_FEATURE_TILE(Operate, COperateHostDlg)   \
  VEYRA_FEATURE_TILE(Timed, CTimedArmDlg)        \
  VEYRA_FEATURE_TILE(Phones, CAlarmPhoneDlg)
