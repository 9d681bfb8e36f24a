#pragma once
// Sound files made in memory for the tests: WAV files put together chunk by chunk (so a test
// can also build broken ones) and Ogg Vorbis encoded with libvorbisenc.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace testrig {

// One sample of channel `channel` at frame `frame`, in -1..1.
using SampleFunction = std::function<float(int channel, int frame)>;

// amplitude * sin(2 pi hz t) at a frame.
float SineSample(double hz, int rate, int frame, float amplitude);

// Little-endian fields.
std::string Le16(int value);
std::string Le32(uint32_t value);
// A RIFF chunk: the id, the body's size, the body and the pad byte an odd size needs.
std::string WavChunk(const char* id, const std::string& body);
// A "fmt " chunk; tag 1 is PCM.
std::string WavFmt(int channels, int rate, int bits, int tag = 1);
// 16-bit samples as little-endian bytes.
std::string Pcm16(const std::vector<int16_t>& samples);
// "RIFF", the size, "WAVE" and the chunks.
std::string WavFile(const std::string& chunks);

// A whole 16-bit PCM WAV file.
std::string EncodeWav(int channels, int rate, int frames, const SampleFunction& gen);
// A whole Ogg Vorbis file; "" (and a test failure) when the encoder refuses the format.
std::string EncodeOgg(int channels, int rate, int frames, const SampleFunction& gen,
                      float quality = 0.5f);

}  // namespace testrig
