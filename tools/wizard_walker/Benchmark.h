#pragma once
// The benchmark of scripts/benchmark: the time from the wizard's start to its licence page next to a
// bare dialog's start, whole installations against the waits the installation sequence itself
// prescribes, the exe's size and the wizard's peak memory. Each figure is printed with what it
// measured.

// Returns the process exit code.
int RunBenchmark();
