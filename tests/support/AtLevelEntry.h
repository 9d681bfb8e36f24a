#pragma once
// The test entry into a level: the finished loading screen leads to the play screen at the
// given level instead of the title, with the current profile (or a new "Tester" when there is
// none). Used by the lantern-vale-at-level program and the in-process whole-level tests.

namespace testrig {

// Installs the start-up hook for level (1 to 50). false for a level outside that range.
bool InstallAtLevelEntry(int level);
// Removes it: the start-up leads to the title again.
void RemoveAtLevelEntry();

}  // namespace testrig
