#include "fontconfig_warm_up.h"

#include <fontconfig/fontconfig.h>
#include <malloc.h>

namespace korvane {

FontconfigWarmUp::FontconfigWarmUp()
{
    // One malloc arena for every thread: a thread's first allocation would
    // otherwise open an arena of its own, a few hundred KB more resident for
    // what fontconfig keeps anyway.
    mallopt(M_ARENA_MAX, 1);
    // Qt asks FcInit() again when it first lists the faces; fontconfig then
    // hands it what was read here.
    reader_ = std::thread([] { FcInit(); });
}

FontconfigWarmUp::~FontconfigWarmUp()
{
    wait();
}

void FontconfigWarmUp::wait()
{
    if (reader_.joinable())
        reader_.join();
}

void FontconfigWarmUp::release()
{
    wait();
    FcFini();
}

} // namespace korvane
