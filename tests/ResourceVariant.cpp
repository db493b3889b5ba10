// A resource library that lacks one bitmap, for the tests of that failure:
// the full table under another name, and the exported one without it.
#undef jl_res10_resources

#include <cstdint>

#include "resources/ResourceTable.h"

extern "C" const JlResourceTable jl_res10_full_resources;

namespace {

JlResourceEntry entries[64];

JlResourceTable Without(std::int32_t missing) {
    std::uint32_t count = 0;
    for (std::uint32_t i = 0; i < jl_res10_full_resources.count && count < 64; ++i) {
        if (jl_res10_full_resources.entries[i].id != missing) entries[count++] = jl_res10_full_resources.entries[i];
    }
    return {kJlResourceMagic, kJlResourceVersion, count, entries};
}

}  // namespace

extern "C" [[gnu::visibility("default")]] const JlResourceTable jl_res10_resources = Without(JL_MISSING_RESOURCE);
