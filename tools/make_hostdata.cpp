// Writes a synthetic host data folder (docs/host-data.md) of any size:
//   make_hostdata <folder> <records>
// The same records give the same files; the folder is created when missing.
#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>

#include "tools/hostdata/host_format.h"
#include "tools/hostdata/synthetic.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: make_hostdata <folder> <records>\n";
        return 2;
    }
    const std::string folder = argv[1];
    char* end = nullptr;
    errno = 0;
    const unsigned long long records = std::strtoull(argv[2], &end, 10);
    if (errno != 0 || end == argv[2] || *end != '\0' || argv[2][0] == '-' || records > 100000000ull) {
        std::cerr << "make_hostdata: records must be a number from 0 to 100000000\n";
        return 2;
    }
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    if (ec) {
        std::cerr << "make_hostdata: cannot create " << folder << ": " << ec.message() << "\n";
        return 1;
    }
    const host::HostModel model = hostdata::MakeSyntheticModel(static_cast<std::size_t>(records));
    for (const auto& [name, content] : hostdata::FormatHostModel(model)) {
        const std::filesystem::path path = std::filesystem::path(folder) / name;
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(content.data(), static_cast<std::streamsize>(content.size()));
        out.close();
        if (!out) {
            std::cerr << "make_hostdata: cannot write " << path.string() << "\n";
            return 1;
        }
    }
    std::cout << "make_hostdata: " << records << " records in " << folder << "\n";
    return 0;
}
