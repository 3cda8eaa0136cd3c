// Compiled as core code, this file must not build: a core library never talks to the console.
#include "common/dialogue/console.hpp"
