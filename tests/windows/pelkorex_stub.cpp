// A stand-in for the companion's exchange library: it appends every call to the file that
// MIRVA_PELKOREX_RECORD names, one line each, "init N" or the character's code in decimal.
#include <cstdio>
#include <cstdlib>

namespace {

void Record(const char* format, int value) {
  const char* path = std::getenv("MIRVA_PELKOREX_RECORD");
  if (path == nullptr)
    return;
  if (std::FILE* file = std::fopen(path, "ab")) {
    std::fprintf(file, format, value);
    std::fclose(file);
  }
}

}  // namespace

extern "C" {

__declspec(dllexport) int __cdecl _PelkorExchangeInit(int mode) {
  Record("init %d\n", mode);
  return 0;
}

__declspec(dllexport) int __cdecl _PelkorPutSymToTxBuffer(int symbol) {
  Record("%d\n", symbol);
  return 0;
}
}
