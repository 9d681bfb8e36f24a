#pragma once
#include <functional>
#include <map>
#include <string>

#include "Asset.h"
#include "Canvas.h"
#include "Sound.h"

namespace assetgen {

// Maps each file of the manifest to the painter or synthesizer that makes it.
class Registry {
public:
    using ImageFn = std::function<void(Canvas&, const Asset&)>;
    using FrameFn = std::function<void(Canvas&, int frame, const Asset&)>;
    using SoundFn = std::function<Sound(const Asset&)>;
    using TextFn = std::function<std::string(const Asset&)>;

    struct Job {
        ImageFn image;
        FrameFn frame;
        SoundFn sound;
        TextFn text;
    };

    void image(const std::string& path, ImageFn fn);
    void strip(const std::string& path, FrameFn fn);
    void sound(const std::string& path, SoundFn fn);
    void text(const std::string& path, TextFn fn);

    const Job* find(const std::string& path) const;
    const std::map<std::string, Job>& jobs() const { return jobs_; }

private:
    void add(const std::string& path, Job job);
    std::map<std::string, Job> jobs_;
};

}  // namespace assetgen
