// The hint boxes F12 may click: one table per logon session, in a named
// mapping of the session's own namespace. Bands of other sessions (the other
// users of a terminal server) neither fill it nor are ever chosen, and the
// table goes with the last process of its session that holds it.
#pragma once
#include <windows.h>

namespace corvane {

constexpr int kFocusTargetCount = 32;

// One live band's hint box: its handle as a 32-bit value (window handles
// are 32-bit values in every process), 0 for a free entry.
struct FocusTarget {
  volatile LONG box;
  volatile LONG installation;  // higher is newer
};

struct FocusTargetTable {
  volatile LONG installations;
  FocusTarget targets[kFocusTargetCount];
};

// Whether a window is what an entry may name.
using HintBoxTest = bool (*)(HWND window);

// Lists `hintEdit` as the table's newest target. An entry whose box
// `isLive` does not take (its band ended without taking it back) is taken
// over. E_OUTOFMEMORY when every entry names a live box.
HRESULT AddFocusTarget(FocusTargetTable& table, HWND hintEdit, HintBoxTest isLive);
void RemoveFocusTarget(FocusTargetTable& table, HWND hintEdit);
// The newest listed box that `accept` takes, or null.
HWND NewestFocusTarget(const FocusTargetTable& table, HintBoxTest accept);

// This session's table as this process's bands list their boxes in it: made
// or opened at the first call and kept until the module unloads.
HRESULT SessionFocusTargets(FocusTargetTable** table);
// The newest target of this session's table that `accept` takes, read from
// whichever process F12 is pressed in; null when the session has none.
HWND NewestSessionFocusTarget(HintBoxTest accept);
// Lists a band's hint box in this session's table, and takes it off again.
HRESULT ListSessionFocusTarget(HWND hintEdit, HintBoxTest isLive);
void UnlistSessionFocusTarget(HWND hintEdit);
// Posts `message` to the band window of every box listed in this session's
// table: how the session's bands, in every process, are told of a change.
void PostToSessionBands(UINT message);
// Lets go of this process's view of the table: the module is unloaded.
void ReleaseSessionFocusTargets();

}  // namespace corvane
