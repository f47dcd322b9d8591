// The entry of one libFuzzer program; PRESSVALE_FUZZ_TARGET names the target it runs.

#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "targets.h"

namespace pv::fuzz {

void Fail(const char* property)
{
    std::fprintf(stderr, "Broken property: %s\n", property);
    std::abort();
}

}  // namespace pv::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    pv::fuzz::PRESSVALE_FUZZ_TARGET(std::string_view(reinterpret_cast<const char*>(data), size));
    return 0;
}
