// Until the board drawers are linked in, no board name has a picture of its
// own and the builder falls back to its stand-ins. The board drawers' strong
// definition replaces this one at link time.
#include "Art.h"

__attribute__((weak)) cairo_surface_t* drawBoardImage(const std::string&)
{
    return nullptr;
}
