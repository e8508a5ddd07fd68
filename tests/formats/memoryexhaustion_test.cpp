#include <gtest/gtest.h>

#include <sys/resource.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "filetext.h"
#include "loader.h"
#include "loadreport.h"
#include "tempdir.h"

namespace {

// The process's address space now, in bytes.
rlim_t addressSpaceInUse()
{
    std::ifstream statm("/proc/self/statm");
    unsigned long pages = 0;
    statm >> pages;
    return static_cast<rlim_t>(pages) * static_cast<rlim_t>(sysconf(_SC_PAGESIZE));
}

// A one-port file of the given number of points, each point line a few bytes.
std::string onePortLines(int points)
{
    std::string text = "# Hz S RI R 50\n";
    for (int i = 1; i <= points; ++i)
        text += std::to_string(i) + " 0 0\n";
    return text;
}

// In a child process with the address space limited to what it uses plus headroom: loads a
// small file and a big one in the parallel loader and exits 0 when the small one loaded, the
// big one failed for want of memory and nothing else is in the list.
void loadUnderAddressLimit(const std::string& small, const std::string& big, rlim_t headroom)
{
    RubberS2P warmUp;
    loadFiles(warmUp, { small, small });
    const rlimit limit { addressSpaceInUse() + headroom, RLIM_INFINITY };
    if (setrlimit(RLIMIT_AS, &limit) != 0)
        std::exit(2);
    RubberS2P list;
    std::vector<LoadResult> results;
    loadFiles(list, { small, big }, &results);
    const std::vector<FailedFile> failed = settleLoad(list, 0, { small, big }, results);
    const bool settled = results[0] == LoadSuccess && results[1] == LoadOutOfMemory && list.itemCount == 1
        && failed.size() == 1 && failed[0].path == big;
    std::exit(settled ? 0 : 1);
}

// Memory that runs out fails the file that needed it and no other, whether the file's buffer
// or its points could not be had, and the program goes on.
TEST(MemoryExhaustion, AFileThatRunsOutOfMemoryFailsAlone)
{
#ifdef __SANITIZE_ADDRESS__
    GTEST_SKIP() << "AddressSanitizer reserves more address space than any limit leaves";
#endif
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    TempDir dir;
    const std::string small = dir.file("small.s1p");
    writeAll(small, onePortLines(10));
    // 2.4 million points take far more than 64 MiB; their 22 MB of text does not.
    const std::string manyPoints = dir.file("points.s1p");
    writeAll(manyPoints, onePortLines(2400000));
    // A file of 1 GiB that takes no disk: only its buffer runs out.
    const std::string hugeFile = dir.file("huge.s2p");
    std::FILE* file = std::fopen(hugeFile.c_str(), "wb");
    ASSERT_NE(file, nullptr);
    ASSERT_EQ(ftruncate(fileno(file), off_t { 1 } << 30), 0);
    std::fclose(file);

    const rlim_t headroom = rlim_t { 64 } << 20;
    for (const std::string& big : { manyPoints, hugeFile })
        EXPECT_EXIT(loadUnderAddressLimit(small, big, headroom), ::testing::ExitedWithCode(0), "") << big;
}

} // namespace
