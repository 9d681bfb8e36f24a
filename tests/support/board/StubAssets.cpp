#include "support/board/StubAssets.h"

#include <cctype>
#include <filesystem>
#include <utility>
#include <string>

#include "board/BoardGlobals.h"
#include "board/TCell.h"
#include "board/TGameGrid.h"
#include "board/TGem.h"
#include "core/IniFunctions.h"
#include "core/TGame.h"
#include "core/TSoundBank.h"
#include "gfx/TImageBank.h"
#include "platform/Image.h"

namespace testrig {

namespace {

std::vector<SoundEvent> gLog;
long gTick = 0;
bool gInPool = false;  // a pool plays through its sound's PlayInChannel: logged once

struct Picture {
  const char* key;
  int w, h;  // one frame
  int frames;
  int mid;
};

// As core/LoadData.cpp loads them (key, frame size, frames, centred handle), sizes from the
// asset generator's manifest.
std::vector<Picture> Pictures() {
  std::vector<Picture> list = {
      {"pointer", 32, 32, 1, 0},          {"pointersmall", 24, 28, 1, 0},
      {"gems", 50, 50, 14, 0},            {"chainstrip", 50, 50, 7, 0},
      {"lock", 50, 50, 1, 0},             {"cell", 52, 52, 1, 0},
      {"cellrightside", 6, 52, 1, 0},     {"cellbottom", 52, 6, 1, 0},
      {"cellcorner", 6, 6, 1, 0},         {"cellpane", 52, 52, 1, 0},
      {"brick", 50, 50, 1, 0},            {"brickmid", 14, 14, 1, 1},
      {"armour", 50, 50, 1, 0},           {"armourmid", 20, 20, 1, 1},
      {"armourparticle2", 12, 12, 1, 1},  {"cursor", 50, 50, 1, 0},
      {"bonushighlight", 50, 50, 1, 0},   {"bonushighlightmid", 44, 44, 1, 0},
      {"diagonalmask", 50, 50, 1, 1},     {"particlering", 60, 60, 1, 1},
      {"particle1", 16, 16, 1, 1},        {"particle2", 32, 32, 1, 1},
      {"particle11", 16, 16, 1, 1},       {"particlechainlink", 50, 50, 9, 1},
      {"level", 60, 40, 1, 1},            {"time", 60, 40, 1, 1},
  };
  static const char* kScores[] = {"score10", "score20", "score30", "score40", "score50",
                                  "score60", "score70", "score80", "score100"};
  for (const char* score : kScores) list.push_back({score, 40, 24, 1, 1});
  static std::vector<std::string> owned;  // keys built once, kept for the run
  if (owned.empty()) {
    for (int type = 8; type <= 14; ++type) {
      owned.push_back("bonus" + std::to_string(type) + "idle");
      owned.push_back("bonus" + std::to_string(type) + "activate");
    }
    for (int c = 1; c <= 7; ++c) {
      const std::string n = std::to_string(c);
      owned.push_back("tumblet" + n);
      owned.push_back("tumblet" + n + "falling");
      owned.push_back("tumblet" + n + "running");
      owned.push_back("shard" + n);
    }
  }
  size_t k = 0;
  for (int type = 8; type <= 14; ++type) {
    const auto slot = static_cast<size_t>(type);
    list.push_back({owned[k++].c_str(), 50, 50, TGem::BonusIdleFrames[slot], 0});
    list.push_back({owned[k++].c_str(), 50, 50, TGem::BonusActivateFrames[slot], 0});
  }
  for (int c = 1; c <= 7; ++c) {
    list.push_back({owned[k++].c_str(), 50, 50, 23, 0});
    list.push_back({owned[k++].c_str(), 80, 80, 23, 0});
    list.push_back({owned[k++].c_str(), 80, 80, 23, 0});
    list.push_back({owned[k++].c_str(), 20, 20, 9, 1});
  }
  return list;
}

const char* const kSounds[] = {
    "buttonclick", "click",      "clickrev",   "invalid",    "swap",       "failed",
    "matchbrick",  "matchnobrick", "lockedclick", "unlock",   "land",       "hint",
    "levelstart",  "levelend",   "alarm",      "echopop",    "tornadomap", "scroll",
    "lion",        "star",       "axebrick",   "axenobrick", "paintpot",   "horn",
    "tornado",     "tumblet1",   "tumblet2",   "tumblet3",   "tumblet4",   "tumblet5",
    "tumblet6",    "tumblet7",   "gaugefull1", "gaugeempty"};

uint32_t ColourOf(size_t index, int frame) {
  const size_t i = index * 7 + static_cast<size_t>(frame);
  const uint32_t r = 30 + static_cast<uint32_t>((i * 53) % 200);
  const uint32_t g = 30 + static_cast<uint32_t>((i * 97 + 60) % 200);
  const uint32_t b = 30 + static_cast<uint32_t>((i * 151 + 120) % 200);
  return 0xFF000000u | (r << 16) | (g << 8) | b;
}

std::string Lower(std::string s) {
  for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

// A tiny silent 16-bit mono WAV.
std::string SilentWav() {
  auto le32 = [](uint32_t v) {
    return std::string{static_cast<char>(v & 0xFF), static_cast<char>((v >> 8) & 0xFF),
                       static_cast<char>((v >> 16) & 0xFF), static_cast<char>((v >> 24) & 0xFF)};
  };
  auto le16 = [](uint32_t v) {
    return std::string{static_cast<char>(v & 0xFF), static_cast<char>((v >> 8) & 0xFF)};
  };
  const std::string data(2 * 441, '\0');
  std::string fmt = le16(1) + le16(1) + le32(22050) + le32(44100) + le16(2) + le16(16);
  std::string body = "WAVE" + std::string("fmt ") + le32(16) + fmt + "data" +
                     le32(static_cast<uint32_t>(data.size())) + data;
  return "RIFF" + le32(static_cast<uint32_t>(body.size())) + body;
}

}  // namespace

std::vector<SoundEvent>& SoundLog() { return gLog; }

int SoundCount(const std::string& name) {
  int n = 0;
  for (const SoundEvent& e : gLog) n += Lower(e.name) == Lower(name) ? 1 : 0;
  return n;
}

void SetSoundLogTick(long tick) { gTick = tick; }

RecordingChannels::RecordingChannels(int count, std::string route) : route_(std::move(route)) {
  for (int i = 0; i < count; ++i) AddLast(TGameChannel::Create());
  Current = First();
}

std::shared_ptr<TGameChannel> RecordingChannels::PlayGameSound(
    const std::shared_ptr<TGameSound>& sound, std::shared_ptr<TGameChannel> channel, float volume,
    float pan) {
  if (sound) gLog.push_back({gTick, U8(sound->name), sound->pitch, route_});
  gInPool = true;
  auto used = TChannelArray::PlayGameSound(sound, std::move(channel), volume, pan);
  gInPool = false;
  return used;
}

int RecordingSound::PlayInChannel(platform::ChannelPtr& channel, float pan) {
  if (!gInPool) gLog.push_back({gTick, U8(name), pitch, "channel"});
  return TGameSound::PlayInChannel(channel, pan);
}

uint32_t StubColour(const std::string& key, int frame) {
  const std::vector<Picture> list = Pictures();
  for (size_t i = 0; i < list.size(); ++i) {
    if (Lower(list[i].key) == Lower(key)) return ColourOf(i, frame);
  }
  return 0;
}

void InstallBoardStubAssets() {
  TGem::InitArrays();
  const std::vector<Picture> list = Pictures();
  for (size_t i = 0; i < list.size(); ++i) {
    const Picture& p = list[i];
    platform::ImagePtr image = platform::CreateImage(p.w, p.h, p.frames, 0);
    for (int f = 0; f < p.frames; ++f) {
      platform::PixmapPtr pixels = platform::LockImage(image, f);
      const uint32_t colour = ColourOf(i, f);
      for (int y = 0; y < p.h; ++y) {
        for (int x = 0; x < p.w; ++x) pixels->WritePixel(x, y, colour);
      }
      platform::UnlockImage(image, f);
    }
    images->Insert(TGameImage::CreateFromImage(image, S(p.key), p.mid));
  }
  // The mask is read from its file: a disc in the middle counts, the corners do not.
  platform::Pixmap mask(50, 50, 0);
  for (int y = 0; y < 50; ++y) {
    for (int x = 0; x < 50; ++x) {
      if ((x - 25) * (x - 25) + (y - 25) * (y - 25) <= 18 * 18) mask.WritePixel(x, y, 0xFFFFFFFFu);
    }
  }
  platform::SavePixmapPNG(mask, Game->ImagePath + u"diagonalmask.png");

  const std::string wav = SilentWav();
  for (const char* name : kSounds) {
    auto sound = std::make_shared<RecordingSound>();
    sound->name = ccUpper(S(name));
    sound->sound = platform::LoadSoundFromMemory(wav.data(), wav.size());
    sounds->Insert(sound);
  }

  TGem::Load();
  TCell::Load();
  TGameGrid::Channels = std::make_shared<RecordingChannels>(8, "board");
  TGameGrid::ChannelNoMore = platform::AllocChannel();
  TGameGrid::ChannelExplode = platform::AllocChannel();
  Game->Channels = std::make_shared<RecordingChannels>(16, "game");
  gLog.clear();
}

bool InstallGeneratedBoardAssets(const std::string& dataDir) {
  const std::string folder = dataDir + "Data/graphics/";
  if (!std::filesystem::exists(folder + "gems.png")) return false;
  // Bank keys whose file is named otherwise.
  const std::pair<const char*, const char*> kFiles[] = {
      {"particle1", "particle6"},  {"particle2", "particle7"}, {"particle11", "particle8"},
      {"brickmid", "brickparticle"}, {"armourmid", "armourparticle"}};
  images->SetPath(S(folder));
  for (const Picture& p : Pictures()) {
    std::string file = p.key;
    for (const auto& [key, name] : kFiles) {
      if (file == key) file = name;
    }
    if (!std::filesystem::exists(folder + file + ".png")) continue;
    if (p.frames > 1) {
      TGameImagePtr image = images->LoadAnim(S(file), p.w, p.h, 0, p.frames, -1, p.mid);
      image->name = ccUpper(S(p.key));
      images->Insert(image);
    } else {
      images->Load(S(file), S(p.key), -1, p.mid);
    }
  }
  Game->ImagePath = S(folder);
  TGem::Load();
  TCell::Load();
  LoadParticleImages();
  return true;
}

void ClearBoardStatics() {
  TGem::TumbletImages.fill(nullptr);
  TGem::TumbletFallingImages.fill(nullptr);
  TGem::TumbletRunningImages.fill(nullptr);
  TGem::ShardImages.fill(nullptr);
  TGem::TumbletSounds.fill(nullptr);
  TGem::BonusIdleAnims.fill(nullptr);
  TGem::BonusActivateAnims.fill(nullptr);
  TGem::LockedImage = nullptr;
  TGem::Locked2Image = nullptr;
  TCell::BrickImage = TCell::ArmourImage = TCell::CellImage = nullptr;
  TCell::CellRightSideImage = TCell::CellBottomImage = TCell::CellCornerImage = nullptr;
  TCell::CellPaneImage = nullptr;
  TCell::DiagonalMask = nullptr;
  TGameGrid::Channels = nullptr;
  TGameGrid::ChannelNoMore = nullptr;
  TGameGrid::ChannelExplode = nullptr;
  ParticleImages.fill(nullptr);
  ScoreParticleImages.fill(nullptr);
  gLog.clear();
}

}  // namespace testrig
