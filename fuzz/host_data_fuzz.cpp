// The host data folder: host.ini and the CSV files. A folder that loads is
// written back by FormatHostModel and loads again to the same files.
// Input: host.ini's bytes, then for each further file a line
// "==> name <==" and its bytes (names of letters, digits, '-' and '.').
#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "host/host_loader.h"
#include "support/fuzz_support.h"
#include "tools/hostdata/host_format.h"

namespace {

const std::string kMark = "==> ";
const std::string kMarkEnd = " <==\n";

bool IsPlainName(const std::string& name) {
    if (name.empty() || name.size() > 40 || name[0] == '.') return false;
    for (const char c : name) {
        const bool ok = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                        c == '-' || c == '.' || c == '_';
        if (!ok) return false;
    }
    return true;
}

// Files of the input; false when a name is not plain or a mark not closed.
bool SplitFiles(const std::string& text, std::vector<std::pair<std::string, std::string>>& files) {
    std::vector<std::size_t> marks;  // marks at the start of a line
    for (std::size_t pos = 0; pos < text.size();) {
        if (text.compare(pos, kMark.size(), kMark) == 0) marks.push_back(pos);
        const std::size_t lf = text.find('\n', pos);
        if (lf == std::string::npos) break;
        pos = lf + 1;
    }
    const std::size_t iniEnd = marks.empty() ? text.size() : marks[0];
    if (iniEnd > 0) files.emplace_back("host.ini", text.substr(0, iniEnd));
    for (std::size_t i = 0; i < marks.size(); ++i) {
        const std::size_t next = i + 1 < marks.size() ? marks[i + 1] : text.size();
        const std::size_t nameStart = marks[i] + kMark.size();
        const std::size_t nameEnd = text.find(kMarkEnd, nameStart);
        if (nameEnd == std::string::npos || nameEnd + kMarkEnd.size() > next) return false;
        const std::string name = text.substr(nameStart, nameEnd - nameStart);
        if (!IsPlainName(name) || name == "host.ini") return false;
        for (const auto& file : files) {
            if (file.first == name) return false;
        }
        const std::size_t contentStart = nameEnd + kMarkEnd.size();
        files.emplace_back(name, text.substr(contentStart, next - contentStart));
    }
    return true;
}

void WriteFolder(const std::string& posixFolder,
                 const std::vector<std::pair<std::string, std::string>>& files) {
    for (const auto& [name, bytes] : files) fz::WritePosixFile(posixFolder + "/" + name, bytes);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fz::Scratch& scratch = fz::Scratch::Get();
    scratch.Reset();
    const std::string text(reinterpret_cast<const char*>(data), size);
    std::vector<std::pair<std::string, std::string>> files;
    if (!SplitFiles(text, files)) return -1;
    WriteFolder(scratch.Posix(), files);

    host::HostModel model;
    host::LoadError err;
    if (!host::LoadHostModel(scratch.Win(), model, err)) {
        fz::Check(!err.file.empty() && !err.message.empty(), "error without file or message", text);
        err.ToText();
        return 0;
    }
    const auto formatted = hostdata::FormatHostModel(model);
    scratch.Reset();
    WriteFolder(scratch.Posix(), formatted);
    host::HostModel again;
    host::LoadError err2;
    fz::Check(host::LoadHostModel(scratch.Win(), again, err2),
              "formatted folder does not load: " + err2.ToText(), text);
    fz::Check(hostdata::FormatHostModel(again) == formatted, "formatted folder loads to another model", text);
    return 0;
}
