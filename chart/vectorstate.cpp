#include "vectorstate.h"

#if defined(__x86_64__) || defined(__i386__)

#include <immintrin.h>

namespace {

__attribute__((target("avx"))) void zeroUpper()
{
    _mm256_zeroupper();
}

bool processorHasAvx()
{
    __builtin_cpu_init();
    return __builtin_cpu_supports("avx") != 0;
}

} // namespace

void clearUpperVectorState()
{
    static const bool hasAvx = processorHasAvx();
    if (hasAvx)
        zeroUpper();
}

#else

void clearUpperVectorState()
{
}

#endif
