#pragma once
// Files, folders and paths. Paths are Strings ("/" separated); every function here and in
// platform/Stream.h matches each path component without regard to case when the exact
// spelling does not exist, so the whole tree behaves as one case-insensitive file system.
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/String.h"

namespace platform {

enum FileKind { FILETYPE_NONE = 0, FILETYPE_FILE = 1, FILETYPE_DIR = 2 };

// 0 nothing, 1 file, 2 folder.
int FileType(StringView path);
// True for a regular file (a link to one included); false for folders, FIFOs, devices.
bool IsRegularFile(StringView path);
int64_t FileSize(StringView path);  // -1 when nothing is there, 0 for a folder
// The path as it exists on disk, its components matched without regard to case
// (results are cached); the path unchanged when nothing matches. Components below the
// first one that matches nothing are kept as given (a new file in an existing folder).
String ResolvePathCase(StringView path);

// A text file: a UTF-16 (LE/BE) or UTF-8 byte-order mark selects the encoding, else Latin-1.
// ok (when given) tells whether the file could be read.
String LoadText(StringView path, bool* ok = nullptr);
// The decoding of LoadText, from bytes already in memory.
String DecodeText(std::string_view bytes);
bool SaveText(StringView path, StringView text);  // Latin-1, atomic

// Never through a link: a link under the name fails, as a folder does.
bool CreateFile(StringView path);
// recurse: create missing parents too.
bool CreateDir(StringView path, bool recurse = false);
bool DeleteFile(StringView path);
bool DeleteDir(StringView path);
bool CopyFile(StringView src, StringView dst);
bool RenameFile(StringView src, StringView dst);
bool SetFileMode(StringView path, int mode);  // false for a link, left as it is
int FileMode(StringView path);  // permission bits, -1 when nothing is there

// An exclusive lock on the folder itself, held until the process ends, however it ends: the
// system drops it with the process. Nothing is created, so no entry in the folder can stand in
// its way or lead the lock elsewhere. 1 taken (or already held by this process), 0 held by
// another process, -1 when the folder cannot be opened or locked.
int LockFolderForProcess(StringView folder);
// Lets go of the lock LockFolderForProcess holds (a test that runs the program in-process again).
void UnlockForProcess();
// Moves whatever stands at path (a FIFO, a folder, a device, a link, a file that cannot be
// read) to path + ".bad", or ".bad2" to ".bad9" when that is taken, never replacing anything;
// movedTo, when given, receives the new path. False when nothing could be moved.
bool MoveAside(StringView path, String* movedTo = nullptr);

// Folder listing in the system's order, "." and ".." included (callers skip them).
class DirListing;
using DirPtr = std::shared_ptr<DirListing>;
DirPtr ReadDir(StringView path);
String NextFile(const DirPtr& dir);  // "" at the end
void CloseDir(const DirPtr& dir);
// Convenience: all names but "." and "..", sorted.
std::vector<String> ListDir(StringView path);

// Path helpers, as the runtime has them.
String StripDir(StringView path);  // "a/b/c.txt" -> "c.txt"
String StripExt(StringView path);  // "a/b/c.txt" -> "a/b/c"
String StripAll(StringView path);  // "a/b/c.txt" -> "c"
String ExtractExt(StringView path);  // "a/b/c.txt" -> "txt"
String ExtractDir(StringView path);  // "a/b/c.txt" -> "a/b"
String CurrentDir();

// The running executable's full path (from /proc/self/exe) and its folder (no closing slash).
String AppFile();
String AppDir();
// The user's application-support folder: $XDG_DATA_HOME when set and absolute,
// else $HOME/.local/share (falling back to the password database); never created;
// "" when none can be found. No closing slash.
String UserAppSupportDir();

}  // namespace platform
