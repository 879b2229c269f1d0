// What the monkey's watch on files found (monkey_writes.cpp): every file this process opens
// for writing, creates, renames or makes a folder of, from any library, is seen there first
// (the executable's own definitions come before the C library's), and one outside the
// temporary folder is remembered for the checks.
#pragma once

#include <atomic>

namespace writes {

extern std::atomic<bool> g_watching;
extern char g_allowed[4096];        // the temporary folder, with a trailing slash
extern std::atomic<int> g_outside;
extern char g_firstOutside[4096];

} // namespace writes
