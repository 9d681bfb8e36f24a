#pragma once
// Internal: SDL keys to the virtual-key numbers 0..255 of platform/Events.h.

namespace platform {

// The virtual key for an SDL key code, falling back to the physical key (scan code) for
// layouts whose key codes are not in the table (digits on AZERTY, Cyrillic letters). -1 when
// the key has no virtual-key number.
int VirtualKeyFromSdl(int keycode, int scancode);

}  // namespace platform
