// assetgen: makes every picture, sound and music track of the game's data
// folder from code, checked against manifest.tsv, and a contact sheet.

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <mutex>
#include <optional>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "ContactSheet.h"
#include "FontFace.h"
#include "Generators.h"
#include "JpegWriter.h"
#include "Manifest.h"
#include "OggWriter.h"
#include "PngWriter.h"
#include "Registry.h"
#include "Rng.h"
#include "WavWriter.h"

namespace fs = std::filesystem;
using namespace assetgen;

namespace {

struct Options {
    std::string manifest, out, buildOut, font, licence, data, sheet, only, preview;
    unsigned jobs = 0;
    bool verbose = false;
};

void usage() {
    std::fprintf(stderr,
                 "usage: assetgen --manifest FILE --out RESOURCES_DIR --font FONT --licence FILE\n"
                 "                [--build-out BUILD_DIR]  (the manifest's @out build section)\n"
                 "                [--data AUTHORED_DATA_DIR] [--sheet SHEET.png] [--jobs N] [--only TEXT]\n"
                 "                [--preview DIR]   (PNG copies of the JPEGs, for looking at them)\n"
                 "                [--verbose]       (time of every file)\n");
}

Options parse(int argc, char** argv) {
    Options o;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        auto value = [&]() -> std::string {
            if (i + 1 >= argc) throw std::runtime_error("missing value for " + a);
            return argv[++i];
        };
        if (a == "--manifest") o.manifest = value();
        else if (a == "--out") o.out = value();
        else if (a == "--build-out") o.buildOut = value();
        else if (a == "--font") o.font = value();
        else if (a == "--licence") o.licence = value();
        else if (a == "--data") o.data = value();
        else if (a == "--sheet") o.sheet = value();
        else if (a == "--jobs") o.jobs = static_cast<unsigned>(std::stoul(value()));
        else if (a == "--only") o.only = value();
        else if (a == "--preview") o.preview = value();
        else if (a == "--verbose") o.verbose = true;
        else throw std::runtime_error("unknown option " + a);
    }
    if (o.manifest.empty() || o.out.empty() || o.font.empty() || o.licence.empty())
        throw std::runtime_error("missing required option");
    return o;
}

// Rough cost so the long jobs start first and the pool drains evenly.
int cost(const Asset& a) {
    if (a.kind == "ogg") return 1000 + static_cast<int>(a.maxSeconds);
    if (a.kind == "jpg") return 500 + a.width * a.height / 10000;
    if (a.isStrip()) return 100 + a.frames;
    return a.width * a.height / 10000;
}

void copyAuthoredData(const fs::path& from, const fs::path& dataDir) {
    if (from.empty() || !fs::exists(from)) return;
    for (const auto& e : fs::recursive_directory_iterator(from)) {
        if (!e.is_regular_file()) continue;
        const fs::path target = dataDir / fs::relative(e.path(), from);
        fs::create_directories(target.parent_path());
        fs::copy_file(e.path(), target, fs::copy_options::overwrite_existing);
    }
}

}  // namespace

int main(int argc, char** argv) {
    Options opt;
    try {
        opt = parse(argc, argv);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "assetgen: %s\n", e.what());
        usage();
        return 2;
    }
    const auto started = std::chrono::steady_clock::now();
    try {
        FontFace::setPath(opt.font);
        const Manifest manifest = Manifest::load(opt.manifest);
        Registry reg;
        registerGemAssets(reg);
        registerBonusAssets(reg);
        registerTumbletAssets(reg);
        registerBoardAssets(reg);
        registerHudAssets(reg);
        registerSceneAssets(reg);
        registerMenuAssets(reg);
        registerPanelAssets(reg);
        registerSplashAssets(reg);
        registerSoundAssets(reg);
        registerMusicAssets(reg);
        registerIconAssets(reg);
        registerBitmapFontAssets(reg);

        // The manifest and the painters must agree both ways.
        std::vector<std::string> problems;
        for (const Asset& a : manifest.assets()) {
            const bool generated = a.isPicture() || a.kind == "wav" || a.kind == "ogg" || a.kind == "fnt";
            if (generated && !reg.find(a.path) && opt.only.empty()) problems.push_back("no generator for " + a.path);
        }
        for (const auto& [path, job] : reg.jobs()) {
            bool listed = false;
            for (const Asset& a : manifest.assets()) listed = listed || a.path == path;
            if (!listed) problems.push_back("generator for unlisted file " + path);
        }
        if (!problems.empty()) {
            for (const auto& p : problems) std::fprintf(stderr, "assetgen: %s\n", p.c_str());
            return 1;
        }

        const fs::path out(opt.out);
        fs::create_directories(out / "Data");
        copyAuthoredData(opt.data, out / "Data");
        fs::create_directories(out / "Data/fonts");
        fs::copy_file(opt.font, out / "Data/fonts/caccamel.ttf", fs::copy_options::overwrite_existing);
        fs::copy_file(opt.licence, out / "Data/fonts/OFL.txt", fs::copy_options::overwrite_existing);
        for (const char* d : {"graphics", "sound", "music", "menus", "fonts", "levels", "text", "speech", "branding"})
            fs::create_directories(out / "Data" / d);

        std::vector<size_t> order;
        for (size_t i = 0; i < manifest.assets().size(); ++i) {
            const Asset& a = manifest.assets()[i];
            if (!reg.find(a.path)) continue;
            if (a.root != "resources" && opt.buildOut.empty()) continue;
            if (!opt.only.empty() && a.path.find(opt.only) == std::string::npos) continue;
            order.push_back(i);
        }
        std::stable_sort(order.begin(), order.end(), [&](size_t x, size_t y) {
            return cost(manifest.assets()[x]) > cost(manifest.assets()[y]);
        });

        std::vector<std::optional<Canvas>> thumbs(manifest.assets().size());
        std::atomic<size_t> next{0};
        std::mutex errMutex;
        std::vector<std::string> errors;
        auto worker = [&]() {
            for (;;) {
                const size_t k = next.fetch_add(1);
                if (k >= order.size()) return;
                const Asset& a = manifest.assets()[order[k]];
                const Registry::Job& job = *reg.find(a.path);
                const fs::path root = a.root == "build"       ? fs::path(opt.buildOut)
                                      : a.root == "test-data" ? fs::path(opt.buildOut) / "test-data"
                                                              : out;
                const std::string file = (root / a.path).string();
                const auto jobStart = std::chrono::steady_clock::now();
                try {
                    fs::create_directories(fs::path(file).parent_path());
                    if (a.isPicture()) {
                        Canvas c(a.width, a.height);
                        if (a.isStrip()) {
                            if (!job.frame) throw std::runtime_error("strip needs a frame painter");
                            for (int f = 0; f < a.frames; ++f) {
                                Canvas cell(a.cellWidth, a.cellHeight);
                                job.frame(cell, f, a);
                                c.draw(cell, f * a.cellWidth, 0);
                            }
                        } else {
                            if (!job.image) throw std::runtime_error("picture needs an image painter");
                            job.image(c, a);
                        }
                        if (c.width() != a.width || c.height() != a.height) throw std::runtime_error("size changed");
                        if (a.kind == "png") PngWriter::write(c, file);
                        else JpegWriter::write(c, file);
                        if (a.kind == "jpg" && !opt.preview.empty()) {
                            fs::create_directories(opt.preview);
                            PngWriter::write(c, (fs::path(opt.preview) / fs::path(a.path).filename()).string() + ".png");
                        }
                        thumbs[order[k]] = ContactSheet::thumbnail(c, a);
                    } else if (a.kind == "fnt") {
                        if (!job.text) throw std::runtime_error("a description needs a text maker");
                        const std::string text = job.text(a);
                        std::FILE* f = std::fopen(file.c_str(), "wb");
                        if (!f) throw std::runtime_error("cannot write " + file);
                        const bool written = std::fwrite(text.data(), 1, text.size(), f) == text.size();
                        if (std::fclose(f) != 0 || !written) throw std::runtime_error("cannot write " + file);
                    } else {
                        if (!job.sound) throw std::runtime_error("audio needs a sound maker");
                        const Sound s = job.sound(a);
                        if (a.maxSeconds > 0 && (s.seconds() < a.minSeconds - 1e-3 || s.seconds() > a.maxSeconds + 1e-3))
                            throw std::runtime_error("length " + std::to_string(s.seconds()) + " s outside the manifest range");
                        if (a.kind == "wav") WavWriter::write(s, file);
                        else OggWriter::write(s, file, static_cast<uint32_t>(Rng::hash(a.path) & 0x7FFFFFFF), a.path);
                    }
                } catch (const std::exception& e) {
                    std::lock_guard<std::mutex> lock(errMutex);
                    errors.push_back(a.path + ": " + e.what());
                }
                if (opt.verbose) {
                    const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - jobStart).count();
                    std::fprintf(stderr, "%8.0f ms  %s\n", ms, a.path.c_str());
                }
            }
        };
        unsigned n = opt.jobs ? opt.jobs : std::max(1u, std::thread::hardware_concurrency());
        std::vector<std::thread> pool;
        for (unsigned i = 0; i < n; ++i) pool.emplace_back(worker);
        for (auto& t : pool) t.join();
        if (!errors.empty()) {
            std::sort(errors.begin(), errors.end());
            for (const auto& e : errors) std::fprintf(stderr, "assetgen: %s\n", e.c_str());
            return 1;
        }

        if (opt.verbose)
            std::fprintf(stderr, "files done after %.1f s\n",
                         std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count());
        if (!opt.sheet.empty()) {
            std::vector<std::pair<std::string, Canvas>> list;
            for (size_t i = 0; i < thumbs.size(); ++i)
                if (thumbs[i]) list.emplace_back(manifest.assets()[i].path, std::move(*thumbs[i]));
            ContactSheet::write(list, opt.sheet);
        }
        const double secs =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
        std::printf("assetgen: %zu files generated in %.1f s on %u threads\n", order.size(), secs, n);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "assetgen: %s\n", e.what());
        return 1;
    }
    return 0;
}
