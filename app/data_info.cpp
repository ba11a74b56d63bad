// Finds the data set selected in the host and copies its record.
#include "app/link_app.h"
#include "host/data_mgr.h"

int ClLinkApp::FindSelectedDataInfo(StDATAINFO& record) {
    ClDataMgr* dataMgr = ClDataMgr::Inst();
    if (m_pSetData == nullptr) {
        m_pSetData = dynamic_cast<ClSetData*>(dataMgr->GetSetObject(ClDataMgr::kSetData, 1));
    }

    char userId[ClSysUser::kUserIdSize] = {};
    std::int32_t selectedNo1 = 0;
    std::int32_t selectedNo2 = 0;
    if (ClSysUser* user = dataMgr->GetSysUserObject()) {
        user->GetCurUserID(userId, sizeof userId);
        user->GetSelectedNo(userId, &selectedNo1, &selectedNo2);
    }

    record.Clear();
    if (m_pSetData == nullptr) return 0;

    std::int32_t cursor = 0;
    m_pSetData->GetDatCursor(&cursor);
    m_pSetData->ReadyDat(cursor, 0);
    StDATAINFO walk;
    int found = 0;
    while (m_pSetData->WalkDat(&walk, cursor) == 0) {
        if (walk.DataNo() == selectedNo2) {
            record = walk;
            found = 1;
            break;
        }
    }
    m_pSetData->ReleaseDatCursor(cursor);
    return found;
}
