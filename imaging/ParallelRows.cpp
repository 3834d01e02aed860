#include "ParallelRows.h"

#include <algorithm>
#include <atomic>
#include <exception>
#include <mutex>
#include <thread>
#include <vector>

namespace imaging {

void ParallelRows(int rows, const std::function<void(int begin, int end)>& work) {
  if (rows <= 0) return;
  const int cores = int(std::max(1u, std::thread::hardware_concurrency()));
  // Bands small enough to balance, large enough that taking one costs nothing.
  const int band = std::clamp(rows / (cores * 8), 1, 64);
  const int workers = std::min(cores, (rows + band - 1) / band);
  std::atomic<int> next{0};
  std::exception_ptr failure;
  std::mutex failureLock;
  auto run = [&] {
    try {
      for (int begin; (begin = next.fetch_add(band)) < rows;)
        work(begin, std::min(rows, begin + band));
    } catch (...) {
      std::lock_guard lock(failureLock);
      if (!failure) failure = std::current_exception();
      next = rows;
    }
  };
  std::vector<std::thread> threads;
  threads.reserve(std::size_t(workers - 1));
  for (int i = 1; i < workers; ++i) threads.emplace_back(run);
  run();
  for (auto& thread : threads) thread.join();
  if (failure) std::rethrow_exception(failure);
}

}  // namespace imaging
