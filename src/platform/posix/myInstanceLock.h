#pragma once

#include <string>
#include <string_view>

namespace skivra {

// One player per user and session: the running player holds an exclusive lock on a file
// named after sName in the user's runtime folder ($XDG_RUNTIME_DIR, else
// /tmp/skivra-<uid>/) for its whole life. The kernel drops the lock when the process ends,
// however it ends, so a dead player never blocks the next start, and two starts racing
// each other cannot both win.

// True when another process holds the lock. Otherwise this process takes it and keeps it
// until it ends, and the answer is false; also false when the lock file cannot be made
// (the start then goes on as the first player).
bool MutexAlreadyExists(std::u16string_view sName);

// The lock file's path for a name (for tests and messages).
std::string InstanceLockPath(std::u16string_view sName);

} // namespace skivra
