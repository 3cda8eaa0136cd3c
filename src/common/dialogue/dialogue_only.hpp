// Included by every header of a dialogue folder: the core libraries are built with
// CLONAL_CORE_LIBRARY defined, so core code that reaches for the console does not compile.
#pragma once

#ifdef CLONAL_CORE_LIBRARY
#error "core code must not use the console: return values and let the dialogue print them"
#endif
