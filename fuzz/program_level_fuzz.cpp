// KolvarenDef.ini in the current directory, read through the headless
// double's profile reader: the verdict is one of the four and the check agrees.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "app/link_app.h"
#include "app/program_level.h"
#include "support/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fz::Scratch& scratch = fz::Scratch::Get();
    scratch.Reset();
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    fz::WritePosixFile(scratch.Posix() + "/KolvarenDef.ini", bytes);

    const int verdict = ReadProgramLevelVerdict();
    fz::Check(verdict >= -1 && verdict <= 2, "verdict out of range", bytes);
    ClLinkApp app;
    fz::Check(app.CheckProgramLevel(0) == (verdict == 0 ? 1 : 0), "check disagrees with verdict", bytes);
    return 0;
}
