// What the F12 keyboard hook needs in whichever process it runs: a block
// that every process loading the module shares. Beside the words that name
// the installation made last, it lists the hint box of every live band with
// the logon session it lives in, so that F12 reaches a band of the session
// it is pressed in for as long as one is alive there.
#pragma once
#include <windows.h>

namespace corvane {

// One live band's hint box. `box` holds the box's handle in its low 32 bits
// (window handles are 32-bit values in every process) and the band's logon
// session in its high 32 bits, so that an entry is taken and given back in
// one atomic step; 0 marks a free entry.
struct FocusTarget {
  alignas(8) volatile LONG64 box;
  volatile LONG installation;  // higher is newer
};

constexpr int kFocusTargetCount = 32;

struct SharedHookBlock {
  HHOOK hookHandle;   // the hook installed last, or null
  HWND hookHintEdit;  // the hint box of the band that installed last
  volatile LONG installations;
  FocusTarget targets[kFocusTargetCount];
};

extern SharedHookBlock SharedHookState;

// The entry value of `hintEdit` in `session`.
inline LONG64 FocusTargetBox(HWND hintEdit, DWORD session) {
  return static_cast<LONG64>((static_cast<ULONG64>(session) << 32) | HandleToUlong(hintEdit));
}

// The hint box of an entry value. Window handles widen by sign extension, as
// the platform does between 32- and 64-bit processes.
inline HWND WindowOfFocusTarget(LONG64 box) {
  return reinterpret_cast<HWND>(static_cast<LONG_PTR>(static_cast<LONG>(box)));
}

// Lists `hintEdit` as the newest target of this process's session. An entry
// of this session whose box is gone (its process ended without taking it
// back) is taken over. E_OUTOFMEMORY when every entry is in use.
HRESULT AddFocusTarget(HWND hintEdit);

// The newest listed box of this process's session that `accept` takes, or
// null. Entries of other sessions are never looked at.
HWND NewestFocusTarget(bool (*accept)(HWND hintEdit));

// Removes the hook a band installed (its own handle, remembered by the band)
// and clears hookHandle when it still names that hook; takes the band's hint
// box off the list. Nothing happens for a null handle. hookHintEdit keeps its
// value.
void RemoveFocusHotkey(HHOOK installedHook, HWND hintEdit);

}  // namespace corvane
