#pragma once
// Keyboard and mouse state functions. Normally they read the state the event pump writes
// (Keys, KeyStates, charQueue, Game->Mouse); while the runtime's polled input is on (the
// blocking waits: splashes, the error box) they forward to it.

// 1 when key k was pressed since last read (and clears it); 0 for k < 0.
int KeyHit(int k);
int KeyDown(int k);
// The next typed character; 0 when none.
int GetChar();
// Only keys pressed exactly once count.
int AnyKeyPressed();
// The lowest key pressed exactly once, or -1.
int KeyPressed();
int FlushKeys();
int FlushKey(int k);
int FlushMouse();
int ccFlushAll();
int ccControlDown();
int ccShiftDown();
// KeyHit on every code in turn; 1 at the first hit (only that key is consumed).
int ccAnyKeyPressed();
int ccAnyInput();

// The runtime's polled mouse (meaningful while polled input is on).
int ccMouseHit();
int ccMouseButtons();
int ccMouseDown();
int ccMouseDownTotal();
int ccMouseShowHide();

int ccEnablePolledInput();
// Polled input off; whatever was typed or clicked meanwhile is discarded.
int ccDisablePolledInput();
int ccWaitForKeyOrMouse();

// The blocking waits (splashes, screen fades, loading steps, the error box) ask this every
// frame: 1 when a quit or window-close request waits in the queue or Command+Q is held.
int ccQuitRequested();
// Ends the program through the orderly shutdown, saving the profile as a quit request on the
// play screen does.
[[noreturn]] void ccQuitNow();
// ccQuitNow when ccQuitRequested; else 0.
int ccEndOnQuitRequest();

// Any click, else Enter, else Space, else Escape (stops at the first; consumes it).
int MegaClick();
