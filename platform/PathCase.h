#pragma once
// Internal: case-insensitive path resolution shared by the file functions.
#include <cstddef>
#include <string>

namespace platform {

// The path as it exists on disk (UTF-8). Missing components are matched without regard to
// case by scanning their folder (results cached); components that match nothing are kept as
// given, so a path for a new file still lands in the right (resolved) folder.
std::string ResolvePathCaseUtf8(const std::string& path);

// Strips a leading "littleendian::" stream prefix.
std::string StripStreamPrefix(const std::string& path);

// Test seam: how many steps the calling thread's last lookup walked (0 when the path existed).
size_t LastPathCaseWalkSteps();

// Drops cached lookups (tests; folders renamed behind our back).
void ClearPathCaseCache();

}  // namespace platform
