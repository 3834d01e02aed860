#pragma once

#include <functional>

namespace imaging {

// Runs work(begin, end) over bands of the rows 0..rows-1 on every core, bands taken in turn so
// that uneven rows (a turned picture's are) balance out. Returns when all rows are done; an
// exception in a band is rethrown here after the others have finished.
void ParallelRows(int rows, const std::function<void(int begin, int end)>& work);

}  // namespace imaging
