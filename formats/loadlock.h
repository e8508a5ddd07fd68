#pragma once

#include <mutex>

// The one process-wide lock that serialises every growth of the measurement list while files
// load on several threads: the loader holds it while it appends measurements and around the
// whole CSV reader; the ZetLabs reader takes it itself while it appends its measurements.
// Not recursive: code that already holds it must not take it again.
std::mutex& loadLock();
