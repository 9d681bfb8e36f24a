#pragma once
// Ogg Vorbis decoded piece by piece through vorbisfile, from bytes in memory: the decoder
// behind whole decoding and behind a streamed sound's voice, which reads it through a small
// window of decoded frames that slides along as the mixer asks for them.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

namespace platform {

class OggStream {
 public:
  // nullptr unless the bytes open as Vorbis with one or two channels at a sane rate. `owner`
  // keeps the bytes alive as long as the stream.
  static std::unique_ptr<OggStream> Open(const uint8_t* data, size_t size,
                                         std::shared_ptr<const void> owner = nullptr);
  ~OggStream();
  OggStream(const OggStream&) = delete;
  OggStream& operator=(const OggStream&) = delete;

  int Channels() const { return channels_; }
  int Rate() const { return rate_; }
  // The length the file claims, in frames (0 when it claims none); a hostile file claims anything.
  int64_t ClaimedFrames() const;

  // Decodes up to `frames` frames into out; fewer at the end, 0 once the pass has ended (the end
  // of the data, damage past the point of skipping, or a chained part in another layout).
  int Read(int16_t* out, int frames);

  // Makes frames `index` and `index + 1` of the pass readable, decoding as far as needed; the
  // number of the two that exist (0: the pass ends before `index`).
  int Reach(uint64_t index);
  // A frame the last Reach made readable.
  const int16_t* Frame(uint64_t index) const {
    return window_.data() + static_cast<size_t>(index - base_) * static_cast<size_t>(channels_);
  }
  // The pass's first frame: what follows its last when the sound loops.
  const int16_t* FirstFrame() const { return first_; }
  bool Ended() const { return ended_; }
  // Frames of the pass decoded so far: its length once it has ended.
  uint64_t Decoded() const { return base_ + static_cast<uint64_t>(count_); }
  // Back to frame 0 for another pass; false when the data cannot be read again.
  bool Rewind();

  // Frames the window holds; decoding into it happens a window at a time.
  static constexpr int kWindowFrames = 2048;

 private:
  struct Decoder;
  OggStream() = default;
  // Decodes the window full from where it stands.
  void Fill();

  std::unique_ptr<Decoder> decoder_;
  std::shared_ptr<const void> owner_;
  int channels_ = 0;
  int rate_ = 0;
  int holes_ = 0;
  bool ended_ = false;
  std::vector<int16_t> window_;
  uint64_t base_ = 0;  // pass frame of window_[0]
  int count_ = 0;      // frames in the window
  int16_t first_[2] = {0, 0};
};

}  // namespace platform
