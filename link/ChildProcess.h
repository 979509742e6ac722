// Runs this very program again, several times at once, each with its own arguments, and collects
// what each printed: how veyractl works on several hosts in parallel without sharing one process's
// port, link and message sink between them. Defined once per platform (ChildProcessPosix.cpp,
// ChildProcessWin32.cpp).
#pragma once

#include <string>
#include <vector>

namespace veyra {

struct ChildResult {
  int status = -1;  // exit status; -1 when it could not be started or did not end normally
  std::string out, err;
};

// Starts one copy of the running executable per argument list (without the program name), all at
// once, and waits for every one to end. The results are in the order of the lists.
std::vector<ChildResult> RunSelfInParallel(const std::vector<std::vector<std::string>>& argumentLists);

}  // namespace veyra
