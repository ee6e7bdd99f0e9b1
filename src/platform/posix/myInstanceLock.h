#pragma once

#include <string>
#include <string_view>

namespace skivra {

// One player per user and session: the running player holds an exclusive lock on a file
// named after sName in the user's runtime folder ($XDG_RUNTIME_DIR, else
// $TMPDIR/skivra-<uid>/ with /tmp when TMPDIR is unset) for its whole life. Only folders
// that the user owns and nobody else can write to are used: when another user made the
// temporary one first, the lock goes to $XDG_CACHE_HOME/skivra/ (~/.cache/skivra/), named
// with the host as well since a home folder may be shared between machines. The kernel drops the
// lock when the process ends, however it ends, so a dead player never blocks the next start, and
// two starts racing each other cannot both win.

// True when another process holds the lock. Otherwise this process takes it and keeps it
// until it ends, and the answer is false; also false, with a warning on stderr, when no
// private folder can be had (the start then goes on as the first player).
bool MutexAlreadyExists(std::u16string_view sName);

// The lock file's path for a name (for tests and messages).
std::string InstanceLockPath(std::u16string_view sName);

} // namespace skivra
