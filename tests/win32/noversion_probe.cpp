// Built without a VERSIONINFO resource: exits 0 when Win32System::AppVersion reports zeros
// for such a file, 1 otherwise.
#include "platform/win32/win32_system.h"

int main() {
    platform::win32::Win32System system;
    const platform::Version v = system.AppVersion();
    return v.major == 0 && v.minor == 0 && v.revision == 0 ? 0 : 1;
}
