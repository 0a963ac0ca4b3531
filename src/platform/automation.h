// The automation types and services the object model is written against.
// Windows: the system's own headers. Elsewhere: our native layer with the same
// names and layouts. No file outside src/platform includes either directly.
#pragma once

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#include <ole2.h>
#include <oleauto.h>
#include <olectl.h>
#else
#include "posix/oleauto.h"
#endif
