#pragma once
// Counts the C++ allocations a piece of code makes. The global operators new and delete are
// replaced (once per test program, here) with ones that count while a scope asks for it.
#include <functional>

namespace testrig {

// The number of operator new calls made while body runs.
long CountAllocations(const std::function<void()>& body);
// The same over a stretch that is not one call (passes of a program run): from Start to Stop.
void StartCountingAllocations();
long StopCountingAllocations();

}  // namespace testrig
