#include "ui/focus_key_binding.h"

#include "band/band_record.h"
#include "res/product.h"
#include "support/focus_key.h"
#include "support/hresult.h"
#include "support/settings_store.h"
#include "support/wide_text.h"
#include "ui/focus_key_hook.h"
#include "ui/shared_hook_state.h"

namespace corvane {
namespace {

static_assert(kModifierAlt == MOD_ALT && kModifierCtrl == MOD_CONTROL &&
                  kModifierShift == MOD_SHIFT && kModifierWin == MOD_WIN,
              "the focus key's modifiers are the system's");

HRESULT TakeFocusKey(BandRecord* band, const FocusKey& key) {
  band->focusKey = key;
  switch (key.kind) {
    case FocusKeyKind::kF12Hook:
      band->focusHook = InstallFocusHotkey(band->hintEdit);
      RETURN_LAST_ERROR_IF(band->focusHook == nullptr);
      return S_OK;
    case FocusKeyKind::kCombination:
      band->holdsFocusCombination = RegisterHotKey(band->bandWindow, kFocusKeyHotkeyId,
                                                   key.modifiers | MOD_NOREPEAT, key.virtualKey);
      // Held by another band of the session, or another program: the band
      // goes on without it and takes it when a band gives it back.
      return band->holdsFocusCombination ? S_OK : S_FALSE;
    case FocusKeyKind::kNone:
    case FocusKeyKind::kInvalid:
      return S_OK;
  }
  return S_OK;
}

bool HoldsFocusKey(const BandRecord* band) {
  switch (band->focusKey.kind) {
    case FocusKeyKind::kF12Hook:
      return band->focusHook != nullptr;
    case FocusKeyKind::kCombination:
      return band->holdsFocusCombination != FALSE;
    case FocusKeyKind::kNone:
    case FocusKeyKind::kInvalid:
      return true;
  }
  return true;
}

// Only a combination searches the clipboard; held by another band of the
// session, it is taken when that band gives it back.
void TakeClipboardKey(BandRecord* band, const FocusKey& key) {
  band->clipboardKey = key;
  band->holdsClipboardCombination = key.kind == FocusKeyKind::kCombination &&
                                    RegisterHotKey(band->bandWindow, kClipboardKeyHotkeyId,
                                                   key.modifiers | MOD_NOREPEAT, key.virtualKey);
}

// True when the band held the combination registered as `id`.
bool GiveBack(BandRecord* band, BOOL* holds, int id) {
  const bool held = *holds != FALSE;
  if (held) UnregisterHotKey(band->bandWindow, id);
  *holds = FALSE;
  return held;
}

bool UnbindOwnFocusKey(BandRecord* band) {
  RemoveFocusHotkey(band->focusHook);
  band->focusHook = nullptr;
  return GiveBack(band, &band->holdsFocusCombination, kFocusKeyHotkeyId);
}

bool UnbindClipboardKey(BandRecord* band) {
  return GiveBack(band, &band->holdsClipboardCombination, kClipboardKeyHotkeyId);
}

void RebindClipboardKey(BandRecord* band) {
  const FocusKey& key = band->settings.searchClipboardKey;
  const bool holds = key.kind != FocusKeyKind::kCombination || band->holdsClipboardCombination;
  if (key == band->clipboardKey && holds) return;
  UnbindClipboardKey(band);
  TakeClipboardKey(band, key);
}

}  // namespace

HRESULT BindFocusKey(BandRecord* band) {
  TakeClipboardKey(band, band->settings.searchClipboardKey);
  return TakeFocusKey(band, band->settings.focusKey);
}

bool UnbindFocusKey(BandRecord* band) {
  const bool heldFocusKey = UnbindOwnFocusKey(band);
  return UnbindClipboardKey(band) || heldFocusKey;
}

void RebindFocusKey(BandRecord* band) {
  RebindClipboardKey(band);
  const FocusKey& key = band->settings.focusKey;
  if (key == band->focusKey && HoldsFocusKey(band)) return;
  UnbindOwnFocusKey(band);
  // A hook that cannot be installed now leaves the band without a key; it
  // keeps working with the mouse.
  TRACE_IF_FAILED(TakeFocusKey(band, key));
}

}  // namespace corvane
