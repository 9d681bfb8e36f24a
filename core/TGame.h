#pragma once
// The application object: settings, folders, display and window, the frame loop, screen
// switching, input and application keys, pause and suspend, audio channels and music, and the
// shared objects every subsystem reaches through the global `Game`.
//
// The class is implemented over several files by concern:
//   TGame.cpp          construction, Init, Kill, frame loop, event pump, screen switching
//   TGameSettings.cpp  settings file and marker files
//   TGameFolders.cpp   data and user folders
//   TGameDisplay.cpp   display, window, suspend/resume, quit requests, pause picture
//   TGameKeys.cpp      application keys and pause
//   TGameTiming.cpp    durations, fast mode, slow motion, flip sync
//   TGameAudio.cpp     music, sound, speech, channels, particle level, loading-bar step
//   TGameProfiles.cpp  the profiles folder as a whole
#include <functional>
#include <memory>
#include <vector>

#include "core/Globals.h"
#include "core/TIniFile.h"
#include "platform/Audio.h"
#include "platform/Font.h"
#include "platform/String.h"

class TScreen;
class TExitScreen;
class TLoadingScreen;
class TGameFade;
class TMousePointer;
class TFixedRateLogic;
class TDebugVar;
class TFPSCounter;
class TChannelArray;
class TGameSound;
class TSprite;
class TGameImage;
class TColor;
class TProfile;
class THighScoreList;

class TGame {
 public:
  TGame();
  ~TGame();
  TGame(const TGame&) = delete;
  TGame& operator=(const TGame&) = delete;

  // ---- Settings (the settings file's 24 keys) ----
  TIniFile Ini;
  String VersionNumber;
  int FullScreen = 1;
  int VSync = 1;
  int Driver = 0;
  String SoundDriver = u"FreeAudio";
  int Sound = 1;
  int Music = 1;
  int Speech = 1;
  int SoundVolume = 100;
  int MusicVolume = 100;
  int SpeechVolume = 100;
  int Fade = 1;
  int Particles = 80;
  int PortalSplash = 0;
  int PortalSplash2 = 0;
  int IntroShow = 0;
  int FullScreenProcess = 0;
  int FullScreenThread = 0;
  int WindowedProcess = 0;
  int WindowedThread = 0;
  String ProfileName;
  int Region = 0;
  int SubRegion = 0;
  int CustomMousePointer = 1;

  // ---- Display and window ----
  int ForceWindowedMode = 0;
  int Hertz = 60;
  int Depth = 0;
  int DesktopRefreshRate = 0;
  int GameRefreshRate = 0;
  int FirstTime = 1;
  int WindowHandle = 0;
  int WindowX = 0;
  int WindowY = 0;
  int ClientX = 0;
  int ClientY = 0;
  int DesktopWidth = 0;
  int DesktopHeight = 0;
  int WindowWidth = 0;
  int WindowHeight = 0;
  float VirtualRatioX = 1.0f;
  float VirtualRatioY = 1.0f;
  int UsingVirtualResolution = 0;
  std::shared_ptr<TColor> ClsColor;
  int DriverDX7 = 0;
  int DriverDX9 = 0;
  String DirectXVersion;
  int LagFix = 0;
  int GraphicPlacement = 0;
  int gpX = 0;
  int gpY = 0;
  float ScrollX = 0.0f;
  float ScrollY = 0.0f;
  String OSVersion = u"Mac OSX";

  // ---- Timing and speed ----
  int Fast = 0;
  int LastFlipSync = 0;
  int SlowMotion = 0;
  float SlowMotionSpeed = 0.25f;
  float CurrentSpeed = 1.0f;
  int NoTiming = 0;
  int NoTimingTicks = 1;
  std::shared_ptr<TFixedRateLogic> FixedRateLogic;

  // ---- Screens and flow ----
  std::shared_ptr<TScreen> CurrentTScreen;
  std::shared_ptr<TScreen> DestinationTScreen;
  std::shared_ptr<TScreen> LastTScreen;
  std::shared_ptr<TLoadingScreen> LoadingScreen;
  std::shared_ptr<TExitScreen> ExitScreen;
  std::shared_ptr<TGameFade> GameFade;
  int FadeOnExit = 1;
  int InstantExit = 0;
  int FadeMusic = 1;
  int NoFade = 0;
  int NoDraw = 0;
  int MaxLevels = 10;

  // ---- Music, speech and channels ----
  platform::SoundPtr MusicSample;
  platform::ChannelPtr MusicChannel;
  String MusicFileName = u"none";
  String MusicName = u"none";
  int MusicLooped = 1;
  int MusicRestart = 1;
  int MusicStopped = 0;
  float MusicFadeIn = 50.0f;
  float MusicFadeInCounter = 0;
  float MusicFadeInDelay = 0;
  float MusicFadeOut = 1000.0f;
  float MusicFadeOutCounter = 0;
  float PauseFadeLength = 100.0f;
  float PauseFadeCounter = 0;
  int PauseFadeDirection = 0;
  platform::ChannelPtr SpecialChannel;
  int CustomMusicVolume = 0;
  std::shared_ptr<TGameSound> EscapeSound;
  platform::ChannelPtr EscapeChannel;
  std::shared_ptr<TChannelArray> Channels;
  platform::ChannelPtr SpeechChannel;
  int SpeechStopped = 0;

  // ---- Pause and suspend ----
  int Paused = 0;
  int DimWhenPaused = 1;
  int PauseOnLossOfFocus = 0;
  int PauseOnLossOfFullScreenFocus = 0;
  int PausedMusicState = 1;
  int PausedSpeechState = 1;
  int Suspended = 0;
  int SuspendedEvent = 0;
  int TerminatedEvent = 0;
  std::shared_ptr<TSprite> SpritePaused;
  // Optional hooks; an unset hook is never called. A non-zero result of
  // TerminatedUserFunction refuses a quit request.
  std::function<int()> TerminatedUserFunction;
  std::function<int()> PausedUserFunction;
  std::function<int()> UserSuspendFunction;
  std::function<int()> UserResumeFunction;

  // ---- Keys ----
  int BlockKeys = 0;
  int IgnoreEscapeKey = 0;
  int IgnoreFrameworkKeys = 0;
  int IgnorePauseKey = 0;
  int IgnoreDebugKey = 0;

  // ---- Folders (each ends in "/" once set) ----
  int DataInAppBundle = 0;
  int UseCorrectPath = 1;
  String SubPath = u"QuillfernGames/My Game/";
  String DataPrefix;
  String ImagePath;
  String SoundPath;
  String MusicPath;
  String SpeechPath;
  String MenuPath;
  String ProfilePath;
  String TextPath;
  String LevelsPath;
  String FontPath;

  // ---- Debug overlay ----
  int Debug = 0;
  platform::ImageFontPtr DebugImageFont;
  int DebugImageFontGap = 12;
  int DebugShadow = 1;
  int DebugShowFPSOnly = 0;
  float DebugPanel = 0.4f;
  int Debug1 = 0;
  int Debug2 = 0;
  float Debug3 = 0.0f;
  float Debug4 = 0.0f;
  int DebugDisplayX = 0;
  int DebugDisplayY = 0;
  std::shared_ptr<TDebugVar> LogicTime;
  std::shared_ptr<TDebugVar> DrawTime;
  std::shared_ptr<TDebugVar> CodeTime;
  std::shared_ptr<TFPSCounter> FPS;

  // ---- Pointer and records ----
  std::shared_ptr<TMousePointer> Mouse;
  int FadeMouse = 0;
  int storedX = -1;
  int storedY = -1;
  std::shared_ptr<THighScoreList> HighScores;
  std::shared_ptr<TProfile> CurrentProfile;

  // ================= Operations =================

  // driverChoice: <= 0 the settings' driver, 1 "FreeAudio", 2 "DirectSound",
  // 3 "OpenAL Generic Software", other: none set. rootFlag: as SetSubPath's flag.
  int Init(int driverChoice, int rootFlag);
  // Stops and drops the music, speech and escape channels, then the channel pool.
  int Kill();

  // ---- Settings file and markers (TGameSettings.cpp) ----
  int IniFill();
  int IniExtract();
  // Rewrites the settings; changed != 0 also leaves the "inichanged.dat" marker.
  int IniUpdate(int changed);
  static int MakeGoodExit();
  int CheckGoodExit();
  // SubPath + the application's name + ".ini".
  String SettingsFilePath() const;

  // ---- Display and window (TGameDisplay.cpp) ----
  int GraphicsCreate(int unused = 0);
  int DoSetVirtualResolution();
  int SetDXDriver();
  int DoMoveMouse(int x, int y);
  int GetActiveWindowSafe();
  int SetPriority();
  int ToggleFullScreen();
  int ToggleVSync();
  int SetDriver(int d);
  int SetGP(int x, int y);
  int CheckWindow();
  int SetWindowCoords();
  int SetClientCoords();
  int GameTerminated();
  // What a quit saves first: the profile on the play screen, the settings on the options.
  int SaveOnQuit();
  int SpritePausedCreate(const std::shared_ptr<TGameImage>& image);
  int ShowPaused();
  int RestoreMouseCoords();
  // The display size for a desktop height: the logical size when it fits under the limit
  // (the desktop height in full screen, 70 less in a window), else the next smaller of
  // 1024x768, 800x600, 640x480. Returns 0 when none fits.
  static int ChooseDisplaySize(int desktopHeight, int fullScreen, int logicalWidth,
                               int logicalHeight, int& width, int& height);

  // ---- Debug overlay ----
  int DebugReset();
  int DebugPrint();
  // The panel's lines for the current state (DebugPrint draws them).
  std::vector<String> DebugLines();
  // Saves the screen into the user folder (the working folder without UseCorrectPath).
  int TakeScreenshot();

  // ---- Folders (TGameFolders.cpp) ----
  int SetDefaultPaths();
  int SetSubPath(const String& path, int flag);
  int SetSubPathWrapper(const String& path, int flag);
  int ApplySubPath();
  int SetImagePath(const String& path);
  int SetSoundPath(const String& path);
  int SetMusicPath(const String& path);
  int SetSpeechPath(const String& path);
  int SetMenuPath(const String& path);
  int SetProfilePath(const String& path);
  int SetTextPath(const String& path);
  int SetLevelsPath(const String& path);
  int SetFontPath(const String& path);
  // Creates SubPath with its parents when missing (fatal on failure).
  int CreateUserFolder(int rootFlag);
  // One running copy per user folder: takes the folder's lock (creating the folder first) for
  // the rest of the run; when another copy holds it, says so and ends.
  int LockUserFolder(int rootFlag);

  // ---- Application keys and pause (TGameKeys.cpp) ----
  int ReadKeys();
  int TogglePause();
  int Pause();
  int UnPause();
  float PauseFadeCalc();
  int PauseFadeApply();
  int PauseFadeManage();
  int Fading();
  int FadeOff();

  // ---- Timing (TGameTiming.cpp) ----
  int FastOn();
  int FastOff();
  int SlowMotionOn();
  int SlowMotionOff();
  int SetFlipSync();
  float CalcAnimLength(int ms);
  float CalcAnimLengthFromFloat(float ms);
  int CalcMilliSecsFromFrames(int ticks, int useSpeed);

  // ---- Music, sound and speech (TGameAudio.cpp) ----
  int MusicLoad(const String& file, int looped);
  int MusicSet(const platform::SoundPtr& sample, const String& file, int looped);
  int MusicStop();
  int MusicPlay(int fadeIn, int customVolume, int silent);
  int MusicNone();
  int GetMusicVolume();
  float MusicFadeInCalc();
  float MusicFadeOutCalc();
  int MusicFadeInApply();
  int MusicFadeOutApply();
  int MusicFadeInManage();
  int MusicFadeOutManage();
  int MusicFadeOutSet(float ms);
  int MusicSetVolume(int v, int save);
  int MusicChangeVolume(int d);
  int ToggleMusic();
  int MusicOff();
  int MusicOn();
  int ChannelsCreate(int n);
  int ChannelsKill();
  int ChangeSoundDriver(const String& name, int save);
  int SoundPlay(const platform::SoundPtr& sound);
  int SoundPlaySameChannel(platform::ChannelPtr& channel, const platform::SoundPtr& sound);
  int SoundPlayReturnChannel(platform::ChannelPtr& channel, const platform::SoundPtr& sound,
                             float rate);
  int GameSoundPlay(platform::ChannelPtr& channel, const std::shared_ptr<TGameSound>& gameSound,
                    float pan);
  int SoundSetVolume(int v, int save);
  int SoundChangeVolume(int d);
  int ToggleSound();
  int SoundOff();
  int SoundOn();
  int SpeechStop();
  int SpeechPlay(const std::shared_ptr<TGameSound>& gameSound, int interrupt);
  int SpeechSetVolume(int v, int save);
  int SpeechChangeVolume(int d);
  int SpeechOff();
  int SpeechOn();
  int StopChannels();
  int SetEscapeSound(const String& name);
  int EscapeSoundPlay();
  int ParticlesSet(int v, int save);
  int ParticlesChange(int d);
  // One loading-bar step: progress, draw, present.
  int MoveBar();

  // ---- Frame loop and screens (TGame.cpp) ----
  int MainLogicLoop();
  int LogicWrapper();
  int DoPeekEvent();
  int ScreenDraw();
  int PostDraw();
  int ScreenChange();

  // ---- Player profiles (TGameProfiles.cpp) ----
  int DeleteAllProfiles();
  int ProfileFolderInUse();
  // The players the game offers, in name order: the regular files of the profiles folder
  // whose extension is exactly "dat" and whose name can be a profile's.
  std::vector<String> ProfileNames() const;

 private:
  bool pausedFrameKept_ = false;  // the paused frame under the pointer is kept (ScreenDraw)
};
