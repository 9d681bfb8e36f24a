#pragma once
// The frame filtered (bilinear, sampled at pixel centres) into a box of another size: what a
// window or full screen larger than the logical screen shows. The taps and weights are worked
// out once per pair of sizes, each source row is filtered across once and kept while the rows
// below it need it, and only the target rows whose source rows changed since the last run are
// written again. Internal to platform/.
#include <cstdint>
#include <vector>

namespace platform {

class FrameStretch {
 public:
  // sw by sh 32-bit pixels (a row every srcPitch) into dw by dh (a row every dstPitch). False
  // (and nothing written) when either size is below two pixels a side. Unless `whole`, the
  // target is taken to hold what the last run wrote there.
  bool Run(const uint32_t* src, int srcPitch, int sw, int sh, uint32_t* dst, int dstPitch, int dw,
           int dh, bool whole);

 private:
  // False when the sizes are new (everything is to be written).
  bool Prepare(int sw, int sh, int dw, int dh);
  // Marks the source rows that differ from the last run's, and keeps them.
  void FindChanges(const uint32_t* src, int srcPitch);
  // Source row `row` filtered across into one of the two kept rows, not the one at `keep`.
  const uint16_t* Across(const uint32_t* src, int srcPitch, int row, int keep);

  int sw_ = 0, sh_ = 0, dw_ = 0, dh_ = 0;
  // Per target column: the left tap, and the weights of it and the next texel, in 128ths,
  // four lanes each.
  std::vector<int> left_;
  std::vector<uint16_t> weights_;
  // Per target row: the two rows and the lower row's weight, in 256ths.
  std::vector<int> top_, bottom_;
  std::vector<uint16_t> down_;
  // Two filtered rows (16 bits a channel, in 128ths) and which source rows they hold.
  std::vector<uint16_t> rows_[2];
  int held_[2] = {-1, -1};
  // The last run's source, and which of its rows this run changed.
  std::vector<uint32_t> last_;
  std::vector<char> changed_;
};

}  // namespace platform
