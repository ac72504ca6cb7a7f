// SPDX-License-Identifier: GPL-3.0-or-later
// SDL opens libdbus when the machine has it and never shuts it down (a
// shutdown could break other users of the library in the process), so
// libdbus's own buffers outlive the tests: not a leak of ours.
extern "C" const char* __lsan_default_suppressions() { return "leak:libdbus-1.so\n"; }
