#pragma once
// The remembered choices: one line "user/data:tax/toMonth/path" per user and
// data set in the file "Dorvik22ToZq13_U.env" of the host's settings folder,
// the most recently saved last.
#include <cstdint>
#include <string>
#include <utility>

struct StDestRecord {
    std::int16_t nTaxIncluded = 0;
    std::int16_t nToMonth = 0;
    std::string strPath;
};

// text without any record of key, with record as its last line; with
// takeOldPath an empty path is the first old record's.
std::string MergeDestRecord(const std::string& text, const std::string& key, StDestRecord record,
                            bool takeOldPath);

// The file in a folder (ending in a backslash), by key "user/data:" (empty:
// none); true when the record was found or is in place, else the file stays.
class ClDestRecordFile {
public:
    explicit ClDestRecordFile(std::string folder) : m_strFolder(std::move(folder)) {}
    bool Load(const std::string& key, StDestRecord& record) const;
    // Under a lock, so runs ending together keep each other's records.
    bool Save(const std::string& key, const StDestRecord& record, bool takeOldPath) const;

private:
    std::string m_strFolder;
};
