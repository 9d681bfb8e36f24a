#include "Sound.h"

#include <algorithm>
#include <cmath>

namespace assetgen {

Sound::Sound(double seconds, int channels)
    : channels_(channels), frames_(std::max(1, static_cast<int>(std::lround(seconds * kRate)))),
      samples_(static_cast<size_t>(frames_) * channels, 0.0f) {}

Sound Sound::frames(int frameCount, int channels) {
    Sound s;
    s.channels_ = channels;
    s.frames_ = std::max(1, frameCount);
    s.samples_.assign(static_cast<size_t>(s.frames_) * channels, 0.0f);
    return s;
}

static void panGains(double pan, int channels, double& left, double& right) {
    if (channels == 1) {
        left = right = 1.0;
        return;
    }
    const double a = (std::clamp(pan, -1.0, 1.0) + 1) * 0.25 * 3.141592653589793;
    left = std::cos(a) * 1.41421356;
    right = std::sin(a) * 1.41421356;
}

void Sound::mix(const Sound& src, double atSeconds, double g, double pan) {
    const int start = static_cast<int>(std::lround(atSeconds * kRate));
    double gl, gr;
    panGains(pan, channels_, gl, gr);
    for (int i = 0; i < src.frames_; ++i) {
        const int f = start + i;
        if (f < 0) continue;
        if (f >= frames_) break;
        for (int ch = 0; ch < channels_; ++ch) {
            const float v = src.at(i, std::min(ch, src.channels_ - 1));
            const double pg = (src.channels_ == 1) ? (ch == 0 ? gl : gr) : 1.0;
            at(f, ch) += static_cast<float>(v * g * pg);
        }
    }
}

void Sound::mixWrapped(const Sound& src, double atSeconds, double g, double pan) {
    const int start = static_cast<int>(std::lround(atSeconds * kRate));
    double gl, gr;
    panGains(pan, channels_, gl, gr);
    for (int i = 0; i < src.frames_; ++i) {
        const int f = ((start + i) % frames_ + frames_) % frames_;
        for (int ch = 0; ch < channels_; ++ch) {
            const float v = src.at(i, std::min(ch, src.channels_ - 1));
            const double pg = (src.channels_ == 1) ? (ch == 0 ? gl : gr) : 1.0;
            at(f, ch) += static_cast<float>(v * g * pg);
        }
    }
}

double Sound::peak() const {
    double p = 0;
    for (float v : samples_) p = std::max(p, static_cast<double>(std::abs(v)));
    return p;
}

void Sound::normalize(double target) {
    const double p = peak();
    if (p > 1e-9) gain(target / p);
}

void Sound::gain(double g) {
    for (float& v : samples_) v = static_cast<float>(v * g);
}

void Sound::fadeIn(double seconds) {
    const int n = std::min(frames_, static_cast<int>(seconds * kRate));
    for (int i = 0; i < n; ++i)
        for (int ch = 0; ch < channels_; ++ch) at(i, ch) *= static_cast<float>(static_cast<double>(i) / n);
}

void Sound::fadeOut(double seconds) {
    const int n = std::min(frames_, static_cast<int>(seconds * kRate));
    for (int i = 0; i < n; ++i)
        for (int ch = 0; ch < channels_; ++ch)
            at(frames_ - 1 - i, ch) *= static_cast<float>(static_cast<double>(i) / n);
}

void Sound::softClip(double drive) {
    const double norm = std::tanh(drive);
    for (float& v : samples_) v = static_cast<float>(std::tanh(v * drive) / norm);
}

}  // namespace assetgen
