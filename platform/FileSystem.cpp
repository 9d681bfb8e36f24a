#include "platform/FileSystem.h"

#include <fcntl.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/DirListing.h"
#include "platform/PathCase.h"
#include "platform/Stream.h"

namespace platform {

namespace {

std::string Resolved(StringView path) { return ResolvePathCaseUtf8(U8(path)); }

bool StatPath(const std::string& path, struct stat& st) { return !path.empty() && ::stat(path.c_str(), &st) == 0; }

std::string WithoutClosingSlash(std::string s) {
  while (s.size() > 1 && s.back() == '/') s.pop_back();
  return s;
}

// Position of the last '/' in the path, or npos.
size_t LastSlash(StringView path) { return path.rfind(u'/'); }

// Position of the extension's dot in the last component, or npos.
size_t ExtDot(StringView path) {
  const size_t dot = path.rfind(u'.');
  if (dot == StringView::npos) return dot;
  const size_t slash = LastSlash(path);
  if (slash != StringView::npos && dot < slash) return StringView::npos;
  return dot;
}

String DecodeUtf16(std::string_view bytes, bool bigEndian) {
  String out;
  out.reserve(bytes.size() / 2);
  for (size_t i = 0; i + 1 < bytes.size(); i += 2) {  // an odd closing byte is dropped
    const auto a = static_cast<unsigned char>(bytes[i]);
    const auto b = static_cast<unsigned char>(bytes[i + 1]);
    out.push_back(static_cast<char16_t>(bigEndian ? (a << 8) | b : (b << 8) | a));
  }
  return out;
}

bool MakeOneDir(const std::string& path) {
  if (::mkdir(path.c_str(), 0777) == 0) return true;
  const int err = errno;
  struct stat st;
  if (err == EEXIST && ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) return true;
  NoteWriteFailure(err == EEXIST ? ENOTDIR : err);
  return false;
}

std::string AbsoluteEnv(const char* name) {
  const char* v = std::getenv(name);
  if (!v || v[0] != '/') return std::string();
  return v;
}

}  // namespace

int FileType(StringView path) {
  struct stat st;
  if (!StatPath(Resolved(path), st)) return FILETYPE_NONE;
  return S_ISDIR(st.st_mode) ? FILETYPE_DIR : FILETYPE_FILE;
}

bool IsRegularFile(StringView path) {
  struct stat st;
  return StatPath(Resolved(path), st) && S_ISREG(st.st_mode);
}

int64_t FileSize(StringView path) {
  struct stat st;
  if (!StatPath(Resolved(path), st)) return -1;
  return S_ISDIR(st.st_mode) ? 0 : static_cast<int64_t>(st.st_size);
}

String ResolvePathCase(StringView path) {
  const std::string given = U8(path);
  const std::string resolved = ResolvePathCaseUtf8(given);
  return resolved == given ? String(path) : FromUtf8(resolved);
}

String LoadText(StringView path, bool* ok) {
  std::string bytes;
  const bool read = LoadBytes(path, bytes);
  if (ok) *ok = read;
  if (!read) return String();
  return DecodeText(bytes);
}

String DecodeText(std::string_view b) {
  if (b.size() >= 2 && b[0] == '\xFF' && b[1] == '\xFE') return DecodeUtf16(b.substr(2), false);
  if (b.size() >= 2 && b[0] == '\xFE' && b[1] == '\xFF') return DecodeUtf16(b.substr(2), true);
  if (b.size() >= 3 && b[0] == '\xEF' && b[1] == '\xBB' && b[2] == '\xBF') return FromUtf8(b.substr(3));
  return FromLatin1(b);
}

bool SaveText(StringView path, StringView text) { return SaveBytes(path, ToLatin1(text)); }

bool CreateFile(StringView path) {
  const std::string p = Resolved(path);
  if (p.empty()) return false;
  const int fd = OpenRegularFd(p, O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW);
  if (fd < 0) return false;
  return ::close(fd) == 0;
}

bool CreateDir(StringView path, bool recurse) {
  const std::string p = WithoutClosingSlash(Resolved(path));
  if (p.empty()) return false;
  if (recurse) {
    for (size_t slash = p.find('/', 1); slash != std::string::npos; slash = p.find('/', slash + 1)) {
      if (p[slash - 1] == '/') continue;  // doubled slash
      if (!MakeOneDir(p.substr(0, slash))) return false;
    }
  }
  return MakeOneDir(p);
}

bool DeleteFile(StringView path) {
  const std::string p = Resolved(path);
  struct stat st;
  if (!StatPath(p, st) || S_ISDIR(st.st_mode)) return false;
  return ::unlink(p.c_str()) == 0;
}

bool DeleteDir(StringView path) {
  const std::string p = WithoutClosingSlash(Resolved(path));
  return !p.empty() && ::rmdir(p.c_str()) == 0;
}

bool CopyFile(StringView src, StringView dst) {
  StreamPtr in = ReadFile(src);
  if (!in) return false;
  StreamPtr out = WriteFile(dst);
  if (!out) return false;
  char buf[65536];
  for (;;) {
    const size_t got = in->ReadBytes(buf, sizeof buf);
    if (got == 0) break;
    out->WriteBytes(buf, got);
    if (got < sizeof buf) break;
  }
  if (in->Pos() < in->Size()) {  // a read error, not the end
    out->Abandon();
    return false;
  }
  return out->Close();
}

bool RenameFile(StringView src, StringView dst) {
  const std::string from = Resolved(src);
  const std::string to = Resolved(dst);
  return !from.empty() && !to.empty() && ::rename(from.c_str(), to.c_str()) == 0;
}

bool SetFileMode(StringView path, int mode) {
  const std::string p = Resolved(path);
  struct stat st;
  // A link's own mode means nothing, and chmod would change whatever it leads to.
  if (p.empty() || (::lstat(p.c_str(), &st) == 0 && S_ISLNK(st.st_mode))) return false;
  return ::chmod(p.c_str(), static_cast<mode_t>(mode) & 07777) == 0;
}

int FileMode(StringView path) {
  struct stat st;
  if (!StatPath(Resolved(path), st)) return -1;
  return static_cast<int>(st.st_mode & 07777);
}

namespace {

struct HeldLock {
  std::string path;
  int fd = -1;
};

HeldLock& TheLock() {
  static HeldLock lock;
  return lock;
}

}  // namespace

int LockFolderForProcess(StringView folder) {
  const std::string p = WithoutClosingSlash(Resolved(folder));
  if (p.empty()) return -1;
  HeldLock& held = TheLock();
  if (held.fd >= 0 && held.path == p) return 1;
  const int fd = ::open(p.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return -1;
  if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
    const bool busy = errno == EWOULDBLOCK;
    ::close(fd);
    return busy ? 0 : -1;
  }
  UnlockForProcess();
  held.path = p;
  held.fd = fd;
  return 1;
}

void UnlockForProcess() {
  HeldLock& held = TheLock();
  if (held.fd >= 0) ::close(held.fd);
  held = HeldLock();
}

bool MoveAside(StringView path, String* movedTo) {
  const std::string from = WithoutClosingSlash(Resolved(path));
  if (from.empty()) return false;
  for (int n = 1; n <= 9; ++n) {
    const std::string to = from + (n == 1 ? std::string(".bad") : ".bad" + std::to_string(n));
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) {
      if (movedTo) *movedTo = FromUtf8(to);
      return true;
    }
    if (errno != EEXIST) return false;
  }
  return false;
}

DirPtr ReadDir(StringView path) {
  const std::string p = Resolved(path);
  DIR* d = ::opendir(p.empty() ? "." : p.c_str());
  if (!d) return nullptr;
  return std::make_shared<DirListing>(d);
}

String NextFile(const DirPtr& dir) { return dir ? dir->Next() : String(); }

void CloseDir(const DirPtr& dir) {
  if (dir) dir->Close();
}

std::vector<String> ListDir(StringView path) {
  std::vector<String> names;
  DirPtr dir = ReadDir(path);
  if (!dir) return names;
  for (String name = dir->Next(); !name.empty(); name = dir->Next()) {
    if (name != u"." && name != u"..") names.push_back(std::move(name));
  }
  std::sort(names.begin(), names.end());
  return names;
}

String StripDir(StringView path) {
  const size_t slash = LastSlash(path);
  return String(slash == StringView::npos ? path : path.substr(slash + 1));
}

String StripExt(StringView path) {
  const size_t dot = ExtDot(path);
  return String(dot == StringView::npos ? path : path.substr(0, dot));
}

String StripAll(StringView path) { return StripExt(StripDir(path)); }

String ExtractExt(StringView path) {
  const size_t dot = ExtDot(path);
  return dot == StringView::npos ? String() : String(path.substr(dot + 1));
}

String ExtractDir(StringView path) {
  const size_t slash = LastSlash(path);
  if (slash == StringView::npos) return String();
  if (slash == 0) return u"/";
  return String(path.substr(0, slash));
}

String CurrentDir() {
  std::string buf(4096, '\0');
  while (!::getcwd(buf.data(), buf.size())) {
    if (errno != ERANGE || buf.size() > (1u << 20)) return String();
    buf.resize(buf.size() * 2);
  }
  buf.resize(std::char_traits<char>::length(buf.c_str()));
  return FromUtf8(WithoutClosingSlash(buf));
}

String AppFile() {
  std::string buf(4096, '\0');
  for (;;) {
    const ssize_t n = ::readlink("/proc/self/exe", buf.data(), buf.size());
    if (n < 0) return String();
    if (static_cast<size_t>(n) < buf.size()) {
      buf.resize(static_cast<size_t>(n));
      return FromUtf8(buf);
    }
    if (buf.size() > (1u << 20)) return String();
    buf.resize(buf.size() * 2);
  }
}

String AppDir() { return ExtractDir(AppFile()); }

String UserAppSupportDir() {
  std::string dir = AbsoluteEnv("XDG_DATA_HOME");
  if (dir.empty()) {
    std::string home = AbsoluteEnv("HOME");
    if (home.empty()) {
      // No usable $HOME: ask the password database.
      struct passwd pw;
      struct passwd* found = nullptr;
      std::string buf(16384, '\0');
      if (::getpwuid_r(::getuid(), &pw, buf.data(), buf.size(), &found) == 0 && found && found->pw_dir &&
          found->pw_dir[0] == '/') {
        home = found->pw_dir;
      }
    }
    if (home.empty()) return String();
    dir = WithoutClosingSlash(home);
    if (dir != "/") dir += "/";
    dir += ".local/share";
  }
  return FromUtf8(WithoutClosingSlash(dir));
}

}  // namespace platform
