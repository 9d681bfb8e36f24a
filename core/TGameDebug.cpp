// The debug panel and the screenshot key's action.
#include <malloc.h>

#include <sstream>

#include "core/Globals.h"
#include "core/ImageFiles.h"
#include "core/Input.h"
#include "core/TDebugRecords.h"
#include "core/TDebugVar.h"
#include "core/TFPSCounter.h"
#include "core/TFixedRateLogic.h"
#include "core/TGame.h"
#include "core/TMousePointer.h"
#include "core/TScreen.h"
#include "platform/Font.h"
#include "platform/Graphics.h"
#include "text/TTextCursor.h"
#include "text/TextDrawing.h"

namespace {

String Num(long long v) { return S(std::to_string(v)); }
String Num(int v) { return Num(static_cast<long long>(v)); }

String Num(float v) {
  std::ostringstream s;
  s << v;
  return S(s.str());
}

String OnOff(int flag) { return flag ? String(u" (on)") : String(u" (off)"); }

}  // namespace

std::vector<String> TGame::DebugLines() {
  if (DebugShowFPSOnly) return {FPS->GetDisplay()};
  std::vector<String> lines;
  lines.reserve(31);
  lines.push_back(LogicTime->GetDisplay());
  lines.push_back(DrawTime->GetDisplay());
  lines.push_back(FPS->GetDisplay());
  lines.push_back(u"Desk Hz " + Num(DesktopRefreshRate));
  lines.push_back(u"Game Hz " + Num(GameRefreshRate));
  lines.push_back(FixedRateLogic->GetDisplay());
  lines.push_back(u"Flip    " + Num(ccFlipSync));
  lines.push_back(u"Fast    " + Num(Fast));
  lines.push_back(u"Slow    " + Num(SlowMotion));
  lines.push_back(u"VSync   " + Num(VSync));
  lines.push_back(u"Timing  " + Num(NoTiming == 0 ? 1 : 0));
  if (Driver == 0) {
    String line = u"Gfx Drv DirectX " + DirectXVersion + u" (using DX";
    if (DriverDX7) line += u"7)";
    if (DriverDX9) line += u"9)";
    lines.push_back(line);
  } else {
    lines.push_back(u"Gfx Drv OpenGL");
  }
  lines.push_back(u"Snd Drv " + SoundDriver);
  lines.push_back(u"Os Ver  " + OSVersion);
  // The bytes the C allocator holds in use stand for the object memory manager's.
  lines.push_back(u"GC Mem  " + Num(static_cast<long long>(mallinfo2().uordblks)));
  const auto memory = ccGetMemoryStatus();
  const long long total = memory->dwTotalPhys;
  const long long used = total - memory->dwAvailPhys;
  // An empty record (as here) has no total: the load reads 0 rather than a division by zero.
  const long long load =
      total != 0 ? static_cast<long long>(static_cast<float>(used) / static_cast<float>(total) * 100.0f) : 0;
  lines.push_back(u"Win Mem " + Num(used / 1024 / 1024) + u"MB Used/" + Num(total / 1024 / 1024) +
                  u"MB Total = " + Num(load) + u"% Load");
  lines.push_back(u"M. Vol. " + Num(MusicVolume) + OnOff(Music));
  lines.push_back(u"S. Vol. " + Num(SoundVolume) + OnOff(Sound));
  lines.push_back(u"Sp. Vol." + Num(SpeechVolume) + OnOff(Speech));
  const int mx = Mouse ? Mouse->x : 0;
  const int my = Mouse ? Mouse->y : 0;
  lines.push_back(u"Mouse X " + Num(mx) +
                  (storedX != -1 ? u" (Diff = " + Num(mx - storedX) + u")" : String()));
  lines.push_back(u"Mouse Y " + Num(my) +
                  (storedX != -1 ? u" (Diff = " + Num(my - storedY) + u")" : String()));
  lines.push_back(u"Screen  " + (CurrentTScreen ? CurrentTScreen->name : String()));
  lines.push_back(u"Handle  " + Num(WindowHandle));
  lines.push_back(u"Debug1  " + Num(Debug1));
  lines.push_back(u"Debug2  " + Num(Debug2));
  lines.push_back(u"Debug3  " + Num(Debug3));
  lines.push_back(u"Debug4  " + Num(Debug4));
  lines.push_back(u"Stored X " + Num(storedX));
  lines.push_back(u"Stored Y " + Num(storedY));
  if (GraphicPlacement) {
    lines.push_back(u"GP X    " + Num(gpX));
    lines.push_back(u"GP Y    " + Num(gpY));
  }
  return lines;
}

int TGame::DebugPrint() {
  if (Debug == 0) return 0;
  const int n = DebugShowFPSOnly ? 1 : GraphicPlacement ? 31 : 29;
  if (DebugPanel > 0) {
    platform::SetColor(0, 0, 0);
    platform::SetAlpha(DebugPanel);
    platform::DrawRect(static_cast<float>(DebugDisplayX - 5), static_cast<float>(DebugDisplayY - 5),
                       350, static_cast<float>(n * 12 + 10));
    platform::SetColor(255, 255, 255);
    platform::SetAlpha(1.0f);
  }
  platform::SetImageFont(DebugImageFont);
  FPS->Calc();
  TTextCursor cursor;
  cursor.Init(DebugDisplayX, DebugDisplayY, DebugImageFontGap);
  if (DebugShadow) {
    cursor.Shadow = 1;
    ccShadowTextSet(1.0f, 1.0f, 1.0f);
  }
  for (const String& line : DebugLines()) cursor.OutputNL(line);
  return DebugShowFPSOnly ? 1 : 0;
}

int TGame::TakeScreenshot() {
  ccScreenShot(UseCorrectPath ? SubPath : String());
  FlushKeys();
  FixedRateLogic->Init();
  return 0;
}
