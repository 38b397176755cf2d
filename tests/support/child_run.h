// A test's body run in a child process: with the rights of an ordinary user,
// as the game runs for a player (as root, permission bits would stop
// nothing), or within a memory limit, so that a fault that reserves
// gigabytes fails the test instead of the machine.
#pragma once

#include <cstddef>
#include <functional>

struct ChildLimits {
    bool ordinaryUser = false;
    size_t memoryBytes = 0; // address space; not under AddressSanitizer, which needs its own
};

// The child's exit status: what the body returned, 98 when it threw, 99 when
// the limits could not be set, 128 + N when signal N ended it.
int RunInChild(const std::function<int()>& body, ChildLimits limits = {});
