#include "core/TProfile.h"

#include "core/ErrorPath.h"
#include "core/Globals.h"
#include "core/Platform.h"
#include "core/TGame.h"
#include "platform/FileSystem.h"

std::function<void(const std::shared_ptr<TProfile>&)> TProfile::CreateUserFunction;

namespace {

// The longest file name the file systems we run on take, in bytes.
constexpr size_t kMaxFileNameBytes = 255;

int32_t Encode(int value, uint32_t offset) {
  return static_cast<int32_t>(static_cast<uint32_t>(value) + offset);
}

int Decode(int32_t stored, uint32_t offset) {
  return static_cast<int32_t>(static_cast<uint32_t>(stored) - offset);
}

}  // namespace

std::shared_ptr<TProfile> TProfile::Create(const String& name) {
  auto profile = std::make_shared<TProfile>();
  profile->Init(name);
  if (CreateUserFunction) CreateUserFunction(profile);
  return profile;
}

int TProfile::Init(const String& name) {
  Name = name;
  CurrentLevel = 1;
  LockedLevel = 2;
  Score = 0;
  Lives = 3;
  Kills = 0;
  TimeTaken = 0.0;
  Difficulty = 0;
  TipsFlag = 1;
  InstructionsFlag = 1;
  ClearHints();
  return 0;
}

int TProfile::ClearHints() { return HintsSet(0); }

int TProfile::HintsSet(int value) {
  HintsShown.fill(value);
  return 0;
}

int TProfile::ShowHint(int index, int save) {
  if (index < 0 || index >= MAX_HINTS) return 0;
  if (HintsShown[static_cast<size_t>(index)] != 0) return 0;
  HintsShown[static_cast<size_t>(index)] = 1;
  if (save != 0) Save();
  return 1;
}

String TProfile::FilePath() const { return (Game ? Game->ProfilePath : String()) + Name + u".dat"; }

bool TProfile::ValidName(StringView name) {
  if (name.empty() || name == u"." || name == u"..") return false;
  if (name.find_first_of(StringView(u"/\\\0", 3)) != StringView::npos) return false;
  // Control characters cannot be typed into a name, and in a file name they hide or mislead.
  for (const char16_t c : name) {
    if (c < 0x20 || (c >= 0x7F && c <= 0x9F)) return false;
  }
  return platform::ToUtf8(name).size() + 4 <= kMaxFileNameBytes;
}

int TProfile::Save() {
  if (!ValidName(Name)) return -1;
  const String path = FilePath();
  platform::StreamPtr out = platform::WriteFile(path);
  if (!out) {
    ccRunTimeError(u"Could not create file '" + path + u"'" + ccCannotWriteReason(path), 1);
    return -1;
  }
  out->WriteInt(Encode(CurrentLevel, CURRENT_LEVEL_OFFSET));
  out->WriteInt(Encode(LockedLevel, LOCKED_LEVEL_OFFSET));
  out->WriteInt(Encode(Score, SCORE_OFFSET));
  out->WriteInt(Encode(Lives, LIVES_OFFSET));
  out->WriteInt(Encode(Kills, KILLS_OFFSET));
  out->WriteDouble(TimeTaken);
  out->WriteInt(Difficulty);
  out->WriteInt(TipsFlag);
  out->WriteInt(InstructionsFlag);
  for (int flag : HintsShown) out->WriteInt(flag);
  if (SaveUserFunction) SaveUserFunction(out);
  // The stream replaces the old file only when everything was written.
  if (!out->Close()) {
    ccRunTimeError(u"Could not create file '" + path + u"'" + ccCannotWriteReason(path), 1);
    return -1;
  }
  ccShareFileOSX(path);
  return 0;
}

int TProfile::Load() {
  if (!ValidName(Name)) return -1;
  const String path = FilePath();
  if (platform::FileType(path) == platform::FILETYPE_NONE) {
    Save();
    return 0;
  }
  if (!platform::IsRegularFile(path)) {
    // A FIFO or a folder under the player's name holds no player: set aside, never replaced.
    if (platform::MoveAside(path)) {
      Save();
    } else {
      ccErrorLog(u"Could not move '" + path + u"' aside; it was left as it was");
    }
    return 0;
  }
  platform::StreamPtr in = platform::ReadFile(path);
  if (in) {
    const int current = Decode(in->ReadInt(), CURRENT_LEVEL_OFFSET);
    const int locked = Decode(in->ReadInt(), LOCKED_LEVEL_OFFSET);
    const int score = Decode(in->ReadInt(), SCORE_OFFSET);
    const int lives = Decode(in->ReadInt(), LIVES_OFFSET);
    const int kills = Decode(in->ReadInt(), KILLS_OFFSET);
    const double timeTaken = in->ReadDouble();
    const int difficulty = in->ReadInt();
    const int tips = in->ReadInt();
    const int instructions = in->ReadInt();
    if (in->Good()) {
      CurrentLevel = current;
      LockedLevel = locked;
      Score = score;
      Lives = lives;
      Kills = kills;
      TimeTaken = timeTaken;
      Difficulty = difficulty;
      TipsFlag = tips;
      InstructionsFlag = instructions;
      ClearHints();
      // Older files hold fewer flags; the rest stay clear. A cut-off last flag is ignored.
      for (size_t i = 0; i < HintsShown.size() && !in->Eof(); ++i) {
        unsigned char b[4];
        if (in->ReadBytes(b, 4) != 4) break;
        HintsShown[i] = static_cast<int32_t>(uint32_t(b[0]) | (uint32_t(b[1]) << 8) |
                                             (uint32_t(b[2]) << 16) | (uint32_t(b[3]) << 24));
      }
      if (LoadUserFunction) LoadUserFunction(in);
      in->Close();
      return 1;
    }
    in->Close();
  }
  // Unreadable, or cut off inside the fixed part: keep the old file aside before the
  // current values are written in its place.
  String kept;
  if (platform::MoveAside(path, &kept)) {
    ccErrorLog(u"Could not read profile '" + path + u"'; it was kept as '" + kept + u"'");
    Save();
  } else {
    ccErrorLog(u"Could not read profile '" + path + u"'; it was left as it was");
  }
  return 0;
}
