#include <windows.h>
#include "app/probe_tmp.h"
long long ProbeUs() { LARGE_INTEGER t, f; QueryPerformanceCounter(&t); QueryPerformanceFrequency(&f); return t.QuadPart * 1000000 / f.QuadPart; }
void ProbeOut(const char* n, int id, int us) {
    char b[160];
    if (us < 0) wsprintfA(b, "P %s", n); else wsprintfA(b, "T %s %d: %d us", n, id, us);
    OutputDebugStringA(b);
}
