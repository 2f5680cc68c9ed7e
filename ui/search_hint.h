// The box's hint: the engine a search goes to, in the user's language, which
// is also the box's name for screen readers.
#pragma once

namespace corvane {

struct BandRecord;

// Composes the hint from the settings: "Google search" for Google's country
// site, else "Search with <engine>".
void TakeSearchHint(BandRecord* band);

// The settings changed: the hint box and screen readers follow the engine.
void FollowSearchHint(BandRecord* band);

}  // namespace corvane
