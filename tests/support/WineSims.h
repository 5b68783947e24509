#pragma once

#include <string>
#include <vector>

// Under Wine a test program cannot start the Linux rvsim nor point a COM port at its device
// itself: scripts/wine-run does both on request, through files in the folder named by
// RVTEST_WINE_SIMS. A request is its words, one a line; the answer is "ok ..." or "error ...".
// Returns the answer's words after "ok", or false (with the reason in error) when the answer
// is an error or none comes within the time-out.
bool AskWineSims(const std::vector<std::string>& request, int timeoutMs,
                 std::vector<std::string>& answer, std::string& error);
