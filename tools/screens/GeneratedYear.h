#pragma once

namespace vel {
class Session;
}

namespace vel::screens {

// A year of one unit made up from a fixed seed, stored through the same core calls the windows
// and the command line use: the registration, an opening roster of thirty people, twelve monthly
// rosters with a few joiners and leavers, and every month's wages. Every row passes its checks,
// so every report opens.
void generateYear(Session& session);

// Spoils December as a clerk might: a birth month out of range in the roster, a total below the
// lower bound and wages for someone not on the roster, so the windows for fixing them have red
// cells to show.
void spoilDecember(Session& session);

}  // namespace vel::screens
