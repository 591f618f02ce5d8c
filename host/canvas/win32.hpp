#pragma once

// The one place the host includes the Windows, OpenGL and WGL headers.

#include <GL/gl.h>
#include <GL/glext.h>
#include <GL/wglext.h>
#include <imm.h>
#include <oleauto.h>
#include <shellapi.h>
#include <windows.h>
#include <wtsapi32.h>

// <windows.h> maps DrawText to DrawTextA/DrawTextW; the host's text builtin
// keeps its own name.
#undef DrawText
