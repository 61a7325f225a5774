#pragma once
// The program's keys under HKEY_LOCAL_MACHINE, as the unit tests look for them in the
// in-memory registry.
namespace testing_support {

inline constexpr const char* kOptions = "SOFTWARE\\Morv Dravik\\Options";
inline constexpr const char* kRun = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";

}  // namespace testing_support
