// SPDX-License-Identifier: GPL-3.0-or-later
// libX11 and the Mesa driver keep a few hundred bytes until the process ends;
// the drawing tests run without leak checking (the other tests keep it).
extern "C" const char* __asan_default_options() { return "detect_leaks=0"; }
