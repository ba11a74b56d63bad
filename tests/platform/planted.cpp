// A DLL such as a download folder may hold beside a program (dll_search_test).
extern "C" __declspec(dllexport) int PlantedMarker() {
    return 1;
}
