// The remembered-destinations file: a record that loads saves back and
// loads back to the same values; whatever the file and the IDs, a save
// leaves one record of the key (or, for a key that cannot start one line,
// the file as it was), and saving the same record again changes no byte.
// Input: user ID and data set ID (each a length byte and bytes), then the
// file's bytes.
#include <cstddef>
#include <cstdint>
#include <string>

#include "conditions/cond_dlg.h"
#include "host/stand_in.h"
#include "platform/files.h"
#include "platform/headless_windows/file_faults.h"
#include "support/fuzz_support.h"

namespace {

std::string Load(ClCondDlg& dlg) {
    std::int16_t tax = -99;
    std::int16_t month = -99;
    std::string path = "untouched";
    if (dlg.LoadDestRecord(tax, month, path) == 0) return "0";
    return std::to_string(tax) + "/" + std::to_string(month) + "/" + path;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fz::Scratch& scratch = fz::Scratch::Get();
    scratch.Reset();
    fz::Reader in(data, size);
    const std::string user = in.Bytes(ClSysUser::kUserIdSize - 1);
    const std::string dataId = in.Bytes(ClUtyDBHpr::kIdStrSize - 1);
    const std::string file = in.Rest();
    // IDs are C strings.
    if (user.find('\0') != std::string::npos || dataId.find('\0') != std::string::npos) return -1;

    static bool s_modelSet = false;
    if (!s_modelSet) {
        host::HostModel model;
        model.appFolder[1] = scratch.Win() + "set\\";
        host::StandIn::Get().UseModel(model);
        s_modelSet = true;
    }
    fz::Check(plat::CreateDir(scratch.Win() + "set"), "settings folder");
    const std::string filePath = scratch.Win() + "set\\Dorvik22ToZq13_U.env";
    fz::WritePosixFile(scratch.Posix() + "/set/Dorvik22ToZq13_U.env", file);

    ClCondDlg dlg;
    user.copy(dlg.m_szUserID, user.size());
    dataId.copy(dlg.m_szDataID, dataId.size());

    std::int16_t tax = 0;
    std::int16_t month = 0;
    std::string path;
    // The path goes back as a C string.
    if (dlg.LoadDestRecord(tax, month, path) == 1 && path.find('\0') == std::string::npos) {
        const std::string first = Load(dlg);
        fz::Check(dlg.SaveDestRecord(tax, month, path.c_str()) == 1, "save failed", file);
        fz::Check(Load(dlg) == first, "loads back other values: " + first + " -> " + Load(dlg), file);
    }

    const std::string key = user + "/" + dataId + ":";
    bool usable = key.size() <= 50;
    for (const char c : key) usable = usable && static_cast<unsigned char>(c) >= 0x20;
    std::string before;
    fz::Check(plat::ReadWholeFile(filePath, before), "file gone", file);
    fz::Check(dlg.SaveDestRecord(1, 12, "P") == (usable ? 1 : 0), "save result", key);
    std::string saved;
    fz::Check(plat::ReadWholeFile(filePath, saved), "file gone", file);
    if (!usable) {
        fz::Check(saved == before, "a refused key changed the file", saved);
        return 0;
    }
    std::size_t records = 0;
    for (std::size_t from = 0; from < saved.size();) {
        if (saved.compare(from, key.size(), key) == 0) ++records;
        const std::size_t lf = saved.find('\n', from);
        fz::Check(lf != std::string::npos, "no line feed at the end", saved);
        from = lf + 1;
    }
    fz::Check(records == 1, "not one record of the key", saved);
    fz::Check(saved.size() >= key.size() + 7 &&
                  saved.compare(saved.size() - key.size() - 7, std::string::npos, key + "1/12/P\n") == 0,
              "the record is not the last line", saved);
    fz::Check(dlg.SaveDestRecord(1, 12, "P") == 1, "second save failed", file);
    std::string again;
    fz::Check(plat::ReadWholeFile(filePath, again) && again == saved, "second save changed the file", again);
    return 0;
}
