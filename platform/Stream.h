#pragma once
// Byte streams over files, little-endian typed reads and writes.
#include <cstdint>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/String.h"

namespace platform {

class Stream {
 public:
  enum class Mode { Read, Write, ReadWrite, Append };
  ~Stream();
  Stream(const Stream&) = delete;
  Stream& operator=(const Stream&) = delete;

  // Reads past the end return 0 (and set Eof and clear Good); they never fail loudly.
  int ReadByte();   // 0..255
  int ReadShort();  // 0..65535
  int ReadInt();
  float ReadFloat();
  double ReadDouble();
  // Reads up to n bytes; returns how many were read.
  size_t ReadBytes(void* dst, size_t n);
  // A line of Latin-1 bytes up to LF; CR bytes are dropped, a NUL byte ends the line.
  String ReadLine();
  // Whole rest of the stream as bytes.
  std::string ReadAll();

  void WriteByte(int v);
  void WriteShort(int v);
  void WriteInt(int v);
  void WriteFloat(float v);
  void WriteDouble(double v);
  void WriteBytes(const void* src, size_t n);
  // One byte per character followed by CR LF. A character above 255 keeps its low byte,
  // except that a low byte of 0, LF or CR (which would cut the line) is written as '?'.
  void WriteLine(StringView text);
  // The same bytes, no line end.
  void WriteString(StringView text);

  bool Eof();
  int64_t Pos();
  bool Seek(int64_t pos);
  int64_t Size();
  // True while no read or write failed.
  bool Good() const { return good_; }
  // Closes the stream. For a stream from WriteFile the data goes to a temporary file
  // that only now replaces the target, so a failed write never loses the old file.
  // Returns false when anything failed (then the old file is kept).
  bool Close();
  // For a stream from WriteFile: drops the temporary file and closes, keeping the old file.
  // Other streams just close.
  void Abandon();

  const std::string& Path() const { return path_; }

 private:
  friend std::shared_ptr<Stream> OpenStreamWithMode(StringView, Stream::Mode);
  Stream() = default;
  enum class LastOp { None, Read, Write };
  bool BeginRead();
  bool BeginWrite();
  bool ReadExact(unsigned char* dst, size_t n);
  void WriteRaw(const void* src, size_t n);
  std::FILE* file_ = nullptr;
  std::string path_;
  std::string tempPath_;  // set for atomic writes
  Mode mode_ = Mode::Read;
  LastOp lastOp_ = LastOp::None;
  bool good_ = true;
  bool writeFailed_ = false;
  bool eof_ = false;
  bool closed_ = false;
  bool closeResult_ = true;
};

using StreamPtr = std::shared_ptr<Stream>;

// Each returns nullptr on failure; the caller decides whether that is fatal.
// A "littleendian::" prefix on the path is accepted and ignored.
StreamPtr ReadFile(StringView path);
// Creates or truncates, atomically (see Stream::Close).
StreamPtr WriteFile(StringView path);
// Read and write an existing file in place.
StreamPtr OpenFile(StringView path);
// Appends, creating the file when missing; never through a link.
StreamPtr AppendFile(StringView path);
StreamPtr OpenStreamWithMode(StringView path, Stream::Mode mode);
bool CloseStream(const StreamPtr& stream);

// The runtime's own opening of a file it reads or adds to (UTF-8 path, open(2) flags): a
// descriptor only for a regular file, -1 for anything else (a folder, a FIFO, a device), and
// never waiting on the other end of a FIFO. Close-on-exec.
int OpenRegularFd(const std::string& path, int flags);

// Deletes the temporary files that writes cut short by a kill leave in the folder (a regular
// file named after its target, ".tmp-" and six letters or digits); nothing else is touched.
// Returns how many were deleted.
int RemoveStaleTempFiles(StringView folder);

// Test seam: while set, Close of a stream from WriteFile whose target the hook names (its
// path as opened, UTF-8) fails as a failed write does: the temporary file is dropped and the
// old file kept.
void SetWriteFailHook(std::function<bool(const std::string& path)> hook);

// Why the last write through WriteFile (or the last CreateDir) failed, in the system's words
// ("Permission denied", "No space left on device"); empty when none has failed.
String LastWriteError();
// Records a failed write's errno for LastWriteError.
void NoteWriteFailure(int err);

// Whole file as bytes; false when unreadable.
bool LoadBytes(StringView path, std::string& out);
// Writes a whole file atomically (temp file + rename).
bool SaveBytes(StringView path, std::string_view bytes);

}  // namespace platform
