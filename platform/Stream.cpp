#include "platform/Stream.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <bit>
#include <cerrno>
#include <cstring>
#include <utility>

#include "platform/PathCase.h"

namespace platform {

namespace {

// WriteFile's temporary name: the target's name, this suffix, and six letters or digits.
constexpr std::string_view kTempSuffix = ".tmp-";
constexpr size_t kTempRandomChars = 6;

// The errno of the last failed write; the program's files are written from one thread.
int gLastWriteErrno = 0;

bool IsTempName(std::string_view name) {
  const size_t tail = kTempSuffix.size() + kTempRandomChars;
  if (name.size() <= tail || name.substr(name.size() - tail, kTempSuffix.size()) != kTempSuffix) {
    return false;
  }
  for (const char c : name.substr(name.size() - kTempRandomChars)) {
    const bool alnum = (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
    if (!alnum) return false;
  }
  return true;
}

}  // namespace

void NoteWriteFailure(int err) { gLastWriteErrno = err != 0 ? err : EIO; }

int OpenRegularFd(const std::string& path, int flags) {
  // Without O_NONBLOCK, opening a FIFO waits for its other end for ever (signals included);
  // the open itself must not wait, and only a regular file is kept.
  const int fd = ::open(path.c_str(), flags | O_NONBLOCK | O_CLOEXEC, 0666);
  if (fd < 0) return -1;
  struct stat st;
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd);
    errno = EINVAL;
    return -1;
  }
  ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
  return fd;
}

namespace {

std::FILE* OpenRegular(const std::string& path, int flags, const char* fmode) {
  const int fd = OpenRegularFd(path, flags);
  if (fd < 0) return nullptr;
  std::FILE* f = ::fdopen(fd, fmode);
  if (!f) ::close(fd);
  return f;
}

mode_t CurrentUmask() {
  const mode_t mask = ::umask(0);
  ::umask(mask);
  return mask;
}

// Makes a finished rename durable; failure here does not undo the write.
void SyncFolderOf(const std::string& path) {
  const size_t slash = path.rfind('/');
  const std::string dir = slash == std::string::npos ? "." : (slash == 0 ? "/" : path.substr(0, slash));
  const int fd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd >= 0) {
    ::fsync(fd);
    ::close(fd);
  }
}

unsigned char LineByte(char16_t c) {
  if (c <= 0xFF) return static_cast<unsigned char>(c);
  const unsigned char low = static_cast<unsigned char>(c & 0xFF);
  return (low == 0 || low == '\n' || low == '\r') ? '?' : low;
}

}  // namespace

Stream::~Stream() { Close(); }

bool Stream::BeginRead() {
  if (!file_) return false;
  // stdio needs a positioning call between a write and a read on the same stream.
  if (lastOp_ == LastOp::Write) ::fseeko(file_, 0, SEEK_CUR);
  lastOp_ = LastOp::Read;
  return true;
}

bool Stream::BeginWrite() {
  if (!file_) return false;
  if (lastOp_ == LastOp::Read) ::fseeko(file_, 0, SEEK_CUR);
  lastOp_ = LastOp::Write;
  eof_ = false;
  return true;
}

bool Stream::ReadExact(unsigned char* dst, size_t n) {
  if (!BeginRead()) {
    std::memset(dst, 0, n);
    good_ = false;
    eof_ = true;
    return false;
  }
  const size_t got = std::fread(dst, 1, n, file_);
  if (got == n) return true;
  std::memset(dst + got, 0, n - got);
  good_ = false;
  eof_ = true;
  return false;
}

int Stream::ReadByte() {
  unsigned char b[1];
  ReadExact(b, 1);
  return b[0];
}

int Stream::ReadShort() {
  unsigned char b[2];
  ReadExact(b, 2);
  return b[0] | (b[1] << 8);
}

int Stream::ReadInt() {
  unsigned char b[4];
  ReadExact(b, 4);
  const uint32_t v = uint32_t(b[0]) | (uint32_t(b[1]) << 8) | (uint32_t(b[2]) << 16) | (uint32_t(b[3]) << 24);
  return static_cast<int32_t>(v);
}

float Stream::ReadFloat() { return std::bit_cast<float>(static_cast<uint32_t>(ReadInt())); }

double Stream::ReadDouble() {
  unsigned char b[8];
  ReadExact(b, 8);
  uint64_t v = 0;
  for (int i = 7; i >= 0; --i) v = (v << 8) | b[i];
  return std::bit_cast<double>(v);
}

size_t Stream::ReadBytes(void* dst, size_t n) {
  if (n == 0) return 0;
  if (!BeginRead()) {
    good_ = false;
    eof_ = true;
    return 0;
  }
  const size_t got = std::fread(dst, 1, n, file_);
  if (got < n) {
    good_ = false;
    eof_ = true;
  }
  return got;
}

String Stream::ReadLine() {
  String line;
  if (!BeginRead()) {
    eof_ = true;
    return line;
  }
  for (;;) {
    const int c = getc_unlocked(file_);
    if (c == EOF) {
      eof_ = true;
      break;
    }
    if (c == '\n' || c == 0) break;
    if (c == '\r') continue;
    line.push_back(static_cast<char16_t>(c));
  }
  return line;
}

std::string Stream::ReadAll() {
  std::string out;
  if (!BeginRead()) return out;
  const int64_t left = Size() - Pos();
  if (left > 0 && left < (int64_t(1) << 31)) out.reserve(static_cast<size_t>(left));
  char buf[65536];
  size_t got;
  while ((got = std::fread(buf, 1, sizeof buf, file_)) > 0) out.append(buf, got);
  if (std::ferror(file_)) good_ = false;
  eof_ = true;
  return out;
}

void Stream::WriteRaw(const void* src, size_t n) {
  if (n == 0) return;
  if (!BeginWrite() || std::fwrite(src, 1, n, file_) != n) {
    if (!writeFailed_) NoteWriteFailure(errno);
    writeFailed_ = true;
    good_ = false;
  }
}

void Stream::WriteByte(int v) {
  const unsigned char b = static_cast<unsigned char>(v);
  WriteRaw(&b, 1);
}

void Stream::WriteShort(int v) {
  const unsigned char b[2] = {static_cast<unsigned char>(v), static_cast<unsigned char>(v >> 8)};
  WriteRaw(b, 2);
}

void Stream::WriteInt(int v) {
  const uint32_t u = static_cast<uint32_t>(v);
  const unsigned char b[4] = {static_cast<unsigned char>(u), static_cast<unsigned char>(u >> 8),
                              static_cast<unsigned char>(u >> 16), static_cast<unsigned char>(u >> 24)};
  WriteRaw(b, 4);
}

void Stream::WriteFloat(float v) { WriteInt(static_cast<int>(std::bit_cast<uint32_t>(v))); }

void Stream::WriteDouble(double v) {
  uint64_t u = std::bit_cast<uint64_t>(v);
  unsigned char b[8];
  for (int i = 0; i < 8; ++i, u >>= 8) b[i] = static_cast<unsigned char>(u);
  WriteRaw(b, 8);
}

void Stream::WriteBytes(const void* src, size_t n) { WriteRaw(src, n); }

void Stream::WriteString(StringView text) {
  std::string bytes(text.size(), '\0');
  for (size_t i = 0; i < text.size(); ++i) bytes[i] = static_cast<char>(LineByte(text[i]));
  WriteRaw(bytes.data(), bytes.size());
}

void Stream::WriteLine(StringView text) {
  std::string bytes(text.size() + 2, '\0');
  for (size_t i = 0; i < text.size(); ++i) bytes[i] = static_cast<char>(LineByte(text[i]));
  bytes[text.size()] = '\r';
  bytes[text.size() + 1] = '\n';
  WriteRaw(bytes.data(), bytes.size());
}

bool Stream::Eof() {
  if (!file_ || eof_) return true;
  if (mode_ == Mode::Write || mode_ == Mode::Append) return Pos() >= Size();
  // Peek one byte: no system call per line, and a file that ends exactly after a line end
  // reports its end before the next ReadLine.
  BeginRead();
  const int c = getc_unlocked(file_);
  if (c == EOF) {
    eof_ = true;
    return true;
  }
  ungetc(c, file_);
  return false;
}

int64_t Stream::Pos() {
  if (!file_) return 0;
  const off_t p = ::ftello(file_);
  return p < 0 ? 0 : static_cast<int64_t>(p);
}

bool Stream::Seek(int64_t pos) {
  if (!file_ || pos < 0) return false;
  if (::fseeko(file_, static_cast<off_t>(pos), SEEK_SET) != 0) return false;
  lastOp_ = LastOp::None;
  eof_ = false;
  return true;
}

int64_t Stream::Size() {
  if (!file_) return 0;
  if (lastOp_ == LastOp::Write) std::fflush(file_);
  struct stat st;
  if (::fstat(fileno(file_), &st) != 0) return 0;
  return static_cast<int64_t>(st.st_size);
}

namespace {
std::function<bool(const std::string&)>& WriteFailHook() {
  static std::function<bool(const std::string&)> hook;
  return hook;
}
}  // namespace

void SetWriteFailHook(std::function<bool(const std::string& path)> hook) {
  WriteFailHook() = std::move(hook);
}

bool Stream::Close() {
  if (closed_) return closeResult_;
  closed_ = true;
  if (!file_) return closeResult_ = false;

  bool ok = true;
  if (mode_ == Mode::Read) {
    ok = good_;
    std::fclose(file_);
  } else {
    ok = !writeFailed_;
    // Each step keeps the first failure's reason: later steps fail for the same cause.
    const auto fail = [&](int err) {
      if (ok) NoteWriteFailure(err);
      ok = false;
    };
    if (!tempPath_.empty() && WriteFailHook() && WriteFailHook()(path_)) fail(EIO);
    if (std::fflush(file_) != 0 || std::ferror(file_)) fail(errno);
    if (!tempPath_.empty() && ok) {
      // The replacement keeps the old file's permissions; anything else there (a link, a
      // device, a socket) has a mode that says nothing of the file's.
      struct stat st;
      const bool file = ::lstat(path_.c_str(), &st) == 0 && S_ISREG(st.st_mode);
      const mode_t perms = file ? (st.st_mode & 07777) : (0666 & ~CurrentUmask());
      ::fchmod(fileno(file_), perms);
      // File systems that cannot sync say so with EINVAL; that is no failed write.
      if (::fsync(fileno(file_)) != 0 && errno != EINVAL && errno != ENOTSUP) fail(errno);
    }
    if (std::fclose(file_) != 0) fail(errno);
  }
  file_ = nullptr;

  if (!tempPath_.empty()) {
    if (ok && ::rename(tempPath_.c_str(), path_.c_str()) != 0) {
      NoteWriteFailure(errno);
      ok = false;
    }
    if (ok) {
      SyncFolderOf(path_);
    } else {
      ::unlink(tempPath_.c_str());
    }
    tempPath_.clear();
  }
  if (!ok) good_ = false;
  closeResult_ = ok;
  return ok;
}

void Stream::Abandon() {
  if (!tempPath_.empty()) writeFailed_ = true;
  Close();
}

StreamPtr OpenStreamWithMode(StringView path, Stream::Mode mode) {
  if (mode == Stream::Mode::Write) gLastWriteErrno = 0;
  const std::string given = StripStreamPrefix(U8(path));
  if (given.empty()) return nullptr;
  const std::string resolved = ResolvePathCaseUtf8(given);

  std::FILE* f = nullptr;
  std::string temp;
  switch (mode) {
    case Stream::Mode::Read:
      f = OpenRegular(resolved, O_RDONLY, "rb");
      break;
    case Stream::Mode::ReadWrite:
      f = OpenRegular(resolved, O_RDWR, "r+b");
      break;
    case Stream::Mode::Append:
      // Added to in place, so never through a link to a file somewhere else.
      f = OpenRegular(resolved, O_WRONLY | O_CREAT | O_APPEND | O_NOFOLLOW, "ab");
      break;
    case Stream::Mode::Write: {
      struct stat st;
      if (::stat(resolved.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) {
        NoteWriteFailure(EISDIR);
        return nullptr;
      }
      // Written next to the target and renamed over it on Close, so a crash or a failed
      // write never leaves a half-written file in its place.
      temp = resolved + std::string(kTempSuffix) + std::string(kTempRandomChars, 'X');
      const int fd = ::mkostemp(temp.data(), O_CLOEXEC);
      if (fd < 0) {
        NoteWriteFailure(errno);
        return nullptr;
      }
      f = ::fdopen(fd, "wb");
      if (!f) {
        NoteWriteFailure(errno);
        ::close(fd);
        ::unlink(temp.c_str());
        return nullptr;
      }
      break;
    }
  }
  if (!f) return nullptr;

  StreamPtr stream(new Stream());
  stream->file_ = f;
  stream->path_ = resolved;
  stream->tempPath_ = temp;
  stream->mode_ = mode;
  return stream;
}

StreamPtr ReadFile(StringView path) { return OpenStreamWithMode(path, Stream::Mode::Read); }
StreamPtr WriteFile(StringView path) { return OpenStreamWithMode(path, Stream::Mode::Write); }
StreamPtr OpenFile(StringView path) { return OpenStreamWithMode(path, Stream::Mode::ReadWrite); }
StreamPtr AppendFile(StringView path) { return OpenStreamWithMode(path, Stream::Mode::Append); }

int RemoveStaleTempFiles(StringView folder) {
  const std::string dir = ResolvePathCaseUtf8(U8(folder));
  DIR* listing = ::opendir(dir.c_str());
  if (!listing) return 0;
  const std::string prefix = dir.empty() || dir.back() == '/' ? dir : dir + "/";
  int removed = 0;
  while (const dirent* entry = ::readdir(listing)) {
    if (!IsTempName(entry->d_name)) continue;
    const std::string path = prefix + entry->d_name;
    struct stat st;
    if (::lstat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) && ::unlink(path.c_str()) == 0) {
      ++removed;
    }
  }
  ::closedir(listing);
  return removed;
}

String LastWriteError() {
  return gLastWriteErrno == 0 ? String() : FromUtf8(std::strerror(gLastWriteErrno));
}

bool CloseStream(const StreamPtr& stream) { return stream ? stream->Close() : false; }

bool LoadBytes(StringView path, std::string& out) {
  out.clear();
  StreamPtr s = ReadFile(path);
  if (!s) return false;
  out = s->ReadAll();
  return s->Close();
}

bool SaveBytes(StringView path, std::string_view bytes) {
  StreamPtr s = WriteFile(path);
  if (!s) return false;
  s->WriteBytes(bytes.data(), bytes.size());
  return s->Close();
}

}  // namespace platform
