#pragma once
#include <cstddef>
#include <vector>

namespace assetgen {

// Floating-point sample buffer, interleaved when stereo.
class Sound {
public:
    static constexpr int kRate = 44100;

    Sound(double seconds, int channels = 1);
    static Sound frames(int frameCount, int channels = 1);

    int channels() const { return channels_; }
    int frameCount() const { return frames_; }
    double seconds() const { return static_cast<double>(frames_) / kRate; }
    float* data() { return samples_.data(); }
    const float* data() const { return samples_.data(); }
    float& at(int frame, int ch = 0) { return samples_[static_cast<size_t>(frame) * channels_ + ch]; }
    float at(int frame, int ch = 0) const { return samples_[static_cast<size_t>(frame) * channels_ + ch]; }

    // Mixes another buffer in at a time offset; mono sources are panned (-1..1).
    void mix(const Sound& src, double atSeconds, double gain = 1.0, double pan = 0.0);
    // Mix wrapping around the end, for buffers that loop.
    void mixWrapped(const Sound& src, double atSeconds, double gain = 1.0, double pan = 0.0);
    double peak() const;
    void normalize(double target);
    void gain(double g);
    void fadeIn(double seconds);
    void fadeOut(double seconds);
    // Gentle tanh saturation to keep peaks round.
    void softClip(double drive = 1.0);

private:
    Sound() = default;
    int channels_ = 1;
    int frames_ = 0;
    std::vector<float> samples_;
};

}  // namespace assetgen
