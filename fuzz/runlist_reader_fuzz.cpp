// Feeds arbitrary bytes to the run list reader and the load built on it.
#include "fuzz/RunListReaderCheck.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string broken = CheckRunListBytes({reinterpret_cast<const char*>(data), size});
    if (!broken.empty()) {
        std::fprintf(stderr, "run list check failed: %s\n", broken.c_str());
        std::abort();
    }
    return 0;
}
