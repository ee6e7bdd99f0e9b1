#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace skivra {

// Replaces a file in one step: the data goes to a temporary file in the same folder, is
// flushed to the disk and renamed over the target, and the folder is flushed after the
// rename, so a crash or a full disk leaves either the old file or the new one, never a
// truncated one. False (and the old file untouched) on any failure. Any thread.
bool WriteFileAtomically(std::u16string_view sName, std::string_view sData);

// The temporary names of the saves: the text files' ".skivra-save-<pid>-XXXXXX" in the
// file's folder, and "<file>.tmp-<pid>-XXXXXX" beside the files WriteFileAtomically writes.
// The writer's process id in the name lets a later start tell a save under way from one
// that was killed.
inline constexpr std::string_view kTextSavePrefix = ".skivra-save-";
inline constexpr std::string_view kAtomicTempInfix = ".tmp-";
// sPrefix followed by this process's id, a dash and the six letters mkostemp fills in.
std::string SaveTempTemplate(std::string_view sPrefix);

// The step the text files and WriteFileAtomically share: sTemp (a mkostemp template in the
// target's folder) is created with the mode, filled, flushed and renamed over sTarget; the
// folder is flushed after the rename. False, with the temporary file removed, on failure.
bool ReplaceThroughTemp(const std::string& sTarget, std::string sTemp, unsigned iMode,
                        std::string_view sData);
// write() until everything is out; false on an error or a write that takes nothing.
bool WriteAllBytes(int fd, std::string_view sData);

// Removes what killed saves left in the folder of sDataFile: plain files of this user
// named as our temporary files are (the text saves' prefix, or a data file's name, whose
// base is that of sDataFile, with ".tmp-" and the writer's id), whose writer is no longer
// running or that nobody has touched for ten minutes. A save under way is left alone. The
// number of files removed.
std::size_t RemoveStaleSaveFiles(std::u16string_view sDataFile);

// For tests that stop a save part-way: called as a save goes on, with the bytes written so
// far. With a hook set, the data is written in pieces of 64 KiB, each reported. One hook
// for the process; an empty one removes it.
enum class TMySaveStep { TempCreated, Writing, Written, Renamed };
using TMySaveHook = std::function<void(TMySaveStep step, std::size_t iBytes)>;
void SetSaveHook(TMySaveHook hook);

// The whole file when it is a regular file of at most iLimit bytes; nothing otherwise.
std::optional<std::string> ReadSmallFile(std::u16string_view sName, std::size_t iLimit);

// Whether something is at the path, even something that cannot be read or followed: a
// link to a drive that is not mounted, a file in a folder that cannot be searched. Only a
// name that is plainly absent gives false. A file that failed to load is not replaced when
// this holds.
bool SomethingAtPath(std::u16string_view sName);

} // namespace skivra
