// The feature dialogs the tiles open. A tile not listed here does nothing yet.
#pragma once

#include "features/alarm/CAlarmHistoryDlg.h"
#include "features/alarm/CAlarmPhoneDlg.h"
#include "features/alarm/COperateHostDlg.h"
#include "features/alarm/CTimedArmDlg.h"

#define VEYRA_FEATURE_TILES                      \
  VEYRA_FEATURE_TILE(History, CAlarmHistoryDlg)  \
  VEYRA_FEATURE_TILE(Operate, COperateHostDlg)   \
  VEYRA_FEATURE_TILE(Timed, CTimedArmDlg)        \
  VEYRA_FEATURE_TILE(Phones, CAlarmPhoneDlg)
