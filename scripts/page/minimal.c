// SPDX-License-Identifier: GPL-3.0-or-later
// The least a single-file page can be: one exported function.
#include <emscripten/emscripten.h>

EMSCRIPTEN_KEEPALIVE int ready(void)
{
    return 1;
}
