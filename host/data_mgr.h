#pragma once
// Business-core and environment libraries: the data manager and its sets.
#include <cstddef>
#include <cstdint>

#include "host/records.h"

class ClSetMgr {};

namespace host {

// What a set or rule object knows of the data set it works on: the manager
// it is attached to and the data set that SetCurDataID named.
class DataSetAttach {
public:
    virtual ~DataSetAttach() = default;
    int AttachSetMgr(ClSetMgr* mgr);  // 0, or 1 for no manager
    // data set ID taken from the start of a StDATAINFO record; 0 when the
    // host knows the data set, else 1 (and no current data set)
    int SetCurDataID(const StDATAINFO* dataId);

protected:
    // The data set to work on: the current one once SetCurDataID named one
    // (false when it named none the host knows), else the one the current
    // user has open.
    bool CurrentDataNo(std::int32_t& dataNo) const;
    // The data set SetCurDataID named; false before it or when it named none.
    bool NamedDataNo(std::int32_t& dataNo) const;

private:
    std::int32_t m_lCurDataNo = 0;  // data number of the current data set, 0 none
    bool m_bHasCurData = false;
    bool m_bCurDataGiven = false;  // SetCurDataID was called
};

}  // namespace host

// Base of every data set object handed out by ClDataMgr::GetSetObject.
class ClSetBase : public host::DataSetAttach {};

// The list of data sets (set id 5).
class ClSetData : public ClSetBase {
public:
    static constexpr int kEndOfData = 1;      // WalkDat: no more data sets
    static constexpr int kInvalidCursor = 2;  // WalkDat: unknown cursor or no record
    int GetDatCursor(std::int32_t* cursor);
    int ReadyDat(std::int32_t cursor, int mode);
    // 0 when a record was delivered; non-zero when the walk is over.
    int WalkDat(StDATAINFO* record, std::int32_t cursor);
    int ReleaseDatCursor(std::int32_t cursor);
    // The selected data set's record (owned by the host), or nullptr.
    StDATAINFO* GetSelectedInfo();

private:
    StDATAINFO m_selectedInfo;
};

// Consumption-tax settings (set id 4).
class ClSetShohizei : public ClSetBase {
public:
    int Get(StSHOHIZEIINFO* record);  // 0 = filled
};

// Account master (set id 1).
class ClSetKamoku : public ClSetBase {
public:
    static constexpr int kNotFound = 1;
    int GetCursor(std::int32_t* cursor);
    int ReadyCursor(std::int32_t cursor);
    // Delivers the first master record that matches the find-info; 0 when one
    // was delivered, non-zero (record untouched) when none matches. Works on
    // the current data set, else on the one the current user has open. Only
    // the lookup by composite code (item 1: field 2, equal, 32-bit value) is
    // supported.
    int WalkFind(const StFINDINFO* find, StKAMOKUINFO* record, std::int32_t cursor);
    int ReleaseCursor(std::int32_t cursor);
};

class ClSysUser {
public:
    static constexpr std::size_t kUserIdSize = 65;
    // Writes the current user's ID (at most size - 1 bytes and a zero); 0, or
    // 1 when no user is logged on.
    int GetCurUserID(char* out, std::size_t size);
    // 0 and the user's numbers; 1 and (0, 0) for an unknown user.
    int GetSelectedNo(const char* userId, std::int32_t* first, std::int32_t* second);
};

class ClDataMgr {
public:
    static constexpr int kSetKamoku = 1;
    static constexpr int kSetShohizei = 4;
    static constexpr int kSetData = 5;

    static ClDataMgr* Inst();
    ClSysUser* GetSysUserObject();
    ClSetMgr* GetSetMgr();
    // The set object of the given id (owned by the host), or nullptr.
    ClSetBase* GetSetObject(int id, int mode);
};
