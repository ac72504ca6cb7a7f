// SPDX-License-Identifier: GPL-3.0-or-later
// When the server's watchdog cuts a statement a stopped PostgreSQL never
// ends, libpqxx 6.4 drops libpq's result of the failed statement without
// freeing it (a few kilobytes per statement cut): a leak of the library's,
// not of ours, and only when the database hangs.
extern "C" const char* __lsan_default_suppressions() { return "leak:libpq.so.5\n"; }
