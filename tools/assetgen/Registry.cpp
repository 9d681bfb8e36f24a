#include "Registry.h"

#include <stdexcept>

namespace assetgen {

void Registry::add(const std::string& path, Job job) {
    if (!jobs_.emplace(path, std::move(job)).second) throw std::runtime_error("registered twice: " + path);
}

void Registry::image(const std::string& path, ImageFn fn) { add(path, Job{std::move(fn), {}, {}, {}}); }
void Registry::strip(const std::string& path, FrameFn fn) { add(path, Job{{}, std::move(fn), {}, {}}); }
void Registry::sound(const std::string& path, SoundFn fn) { add(path, Job{{}, {}, std::move(fn), {}}); }
void Registry::text(const std::string& path, TextFn fn) { add(path, Job{{}, {}, {}, std::move(fn)}); }

const Registry::Job* Registry::find(const std::string& path) const {
    const auto it = jobs_.find(path);
    return it == jobs_.end() ? nullptr : &it->second;
}

}  // namespace assetgen
