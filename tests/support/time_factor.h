#pragma once
// One factor for every time limit of the tests: TAVINOR_TEST_TIME_FACTOR
// (default 1, e.g. 3 on a slow or crowded machine) stretches them all.

// `ms` times the factor.
int Stretched(int ms);

// The processor time this process has spent so far, in ms, which other work
// on the machine does not add to. std::clock tells it, except on Windows,
// where it counts the wall clock.
double ProcessorMs();
