// Two threads bump one plain counter with no lock. The ThreadSanitizer build must report it; if
// it stays quiet, a clean run of the other tests proves nothing.
#include <cstdio>
#include <thread>

namespace {

int counter = 0;

void Bump() {
  for (int i = 0; i < 1000; ++i) ++counter;
}

}  // namespace

int main() {
  std::thread first(Bump);
  std::thread second(Bump);
  first.join();
  second.join();
  std::printf("%d\n", counter);
  return 0;
}
