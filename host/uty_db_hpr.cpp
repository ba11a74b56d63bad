// ClUtyDBHpr: a data set record's ID as text.
#include "host/uty_db_hpr.h"

#include <cstring>
#include <string>

#include "host/host_text.h"
#include "host/stand_in.h"
#include "platform/mbcs.h"

int ClUtyDBHpr::MakeIDStr(const StDATAINFO* record, char* out, std::size_t size) {
    host::StandIn::Get().Record("MakeIDStr");
    if (record == nullptr || out == nullptr || size == 0) return 1;
    const std::string id = plat::CutOnCharBoundary(record->IdText(), size - 1);
    std::memcpy(out, id.data(), id.size());
    out[id.size()] = '\0';
    return 0;
}
