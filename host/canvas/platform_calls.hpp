#pragma once

#include "host/canvas/win32.hpp"

namespace tamo {

// Every platform function the host calls, as one table of pointers that
// defaults to the real functions. Tests replace single entries (and restore
// the table) to make a call fail or answer otherwise; the table itself only
// forwards.
struct platform_calls {
    // user32: windows, classes, messages
    decltype(&::RegisterClassW) RegisterClassW = ::RegisterClassW;
    decltype(&::CreateWindowExW) CreateWindowExW = ::CreateWindowExW;
    decltype(&::DestroyWindow) DestroyWindow = ::DestroyWindow;
    decltype(&::DefWindowProcW) DefWindowProcW = ::DefWindowProcW;
    decltype(&::ShowWindow) ShowWindow = ::ShowWindow;
    decltype(&::UpdateWindow) UpdateWindow = ::UpdateWindow;
    decltype(&::AdjustWindowRectEx) AdjustWindowRectEx = ::AdjustWindowRectEx;
    decltype(&::GetWindowRect) GetWindowRect = ::GetWindowRect;
    decltype(&::GetClientRect) GetClientRect = ::GetClientRect;
    decltype(&::SetWindowPos) SetWindowPos = ::SetWindowPos;
    decltype(&::IsZoomed) IsZoomed = ::IsZoomed;
    decltype(&::MapWindowPoints) MapWindowPoints = ::MapWindowPoints;
    decltype(&::ScreenToClient) ScreenToClient = ::ScreenToClient;
    decltype(&::PtInRect) PtInRect = ::PtInRect;
    decltype(&::GetDC) GetDC = ::GetDC;
    decltype(&::ReleaseDC) ReleaseDC = ::ReleaseDC;
    decltype(&::PeekMessageW) PeekMessageW = ::PeekMessageW;
    decltype(&::TranslateMessage) TranslateMessage = ::TranslateMessage;
    decltype(&::DispatchMessageW) DispatchMessageW = ::DispatchMessageW;
    decltype(&::SendMessageA) SendMessageA = ::SendMessageA;
    decltype(&::GetMessageExtraInfo) GetMessageExtraInfo = ::GetMessageExtraInfo;
    decltype(&::GetForegroundWindow) GetForegroundWindow = ::GetForegroundWindow;
    decltype(&::SetProcessDpiAwarenessContext) SetProcessDpiAwarenessContext =
        ::SetProcessDpiAwarenessContext;
    decltype(&::GetDpiForWindow) GetDpiForWindow = ::GetDpiForWindow;
    decltype(&::MonitorFromWindow) MonitorFromWindow = ::MonitorFromWindow;

    // user32: cursor, capture, raw, pointer and touch input
    decltype(&::LoadCursorA) LoadCursorA = ::LoadCursorA;
    decltype(&::SetCursor) SetCursor = ::SetCursor;
    decltype(&::GetCursorPos) GetCursorPos = ::GetCursorPos;
    decltype(&::ClipCursor) ClipCursor = ::ClipCursor;
    decltype(&::GetCapture) GetCapture = ::GetCapture;
    decltype(&::SetCapture) SetCapture = ::SetCapture;
    decltype(&::ReleaseCapture) ReleaseCapture = ::ReleaseCapture;
    decltype(&::RegisterRawInputDevices) RegisterRawInputDevices = ::RegisterRawInputDevices;
    decltype(&::GetRawInputData) GetRawInputData = ::GetRawInputData;
    decltype(&::GetPointerType) GetPointerType = ::GetPointerType;
    // Resolved at run time: not every system exports it.
    decltype(&::GetPointerPenInfo) GetPointerPenInfo;
    decltype(&::RegisterTouchWindow) RegisterTouchWindow = ::RegisterTouchWindow;
    decltype(&::GetTouchInputInfo) GetTouchInputInfo = ::GetTouchInputInfo;
    decltype(&::CloseTouchInputHandle) CloseTouchInputHandle = ::CloseTouchInputHandle;

    // user32: clipboard
    decltype(&::OpenClipboard) OpenClipboard = ::OpenClipboard;
    decltype(&::CloseClipboard) CloseClipboard = ::CloseClipboard;
    decltype(&::GetClipboardOwner) GetClipboardOwner = ::GetClipboardOwner;
    decltype(&::SetClipboardData) SetClipboardData = ::SetClipboardData;

    // gdi32
    decltype(&::ChoosePixelFormat) ChoosePixelFormat = ::ChoosePixelFormat;
    decltype(&::DescribePixelFormat) DescribePixelFormat = ::DescribePixelFormat;
    decltype(&::SetPixelFormat) SetPixelFormat = ::SetPixelFormat;
    decltype(&::GetPixelFormat) GetPixelFormat = ::GetPixelFormat;
    decltype(&::SwapBuffers) SwapBuffers = ::SwapBuffers;
    decltype(&::CreateSolidBrush) CreateSolidBrush = ::CreateSolidBrush;
    decltype(&::CreateFontA) CreateFontA = ::CreateFontA;
    decltype(&::SelectObject) SelectObject = ::SelectObject;
    decltype(&::DeleteObject) DeleteObject = ::DeleteObject;
    decltype(&::DeleteDC) DeleteDC = ::DeleteDC;

    // opengl32: WGL
    decltype(&::wglCreateContext) wglCreateContext = ::wglCreateContext;
    decltype(&::wglDeleteContext) wglDeleteContext = ::wglDeleteContext;
    decltype(&::wglMakeCurrent) wglMakeCurrent = ::wglMakeCurrent;
    decltype(&::wglGetCurrentDC) wglGetCurrentDC = ::wglGetCurrentDC;
    decltype(&::wglGetCurrentContext) wglGetCurrentContext = ::wglGetCurrentContext;
    decltype(&::wglGetProcAddress) wglGetProcAddress = ::wglGetProcAddress;
    decltype(&::wglUseFontBitmapsA) wglUseFontBitmapsA = ::wglUseFontBitmapsA;

    // opengl32: OpenGL 1.1
    decltype(&::glGenLists) glGenLists = ::glGenLists;
    decltype(&::glDeleteLists) glDeleteLists = ::glDeleteLists;
    decltype(&::glEnable) glEnable = ::glEnable;
    decltype(&::glDisable) glDisable = ::glDisable;
    decltype(&::glIsEnabled) glIsEnabled = ::glIsEnabled;
    decltype(&::glGenTextures) glGenTextures = ::glGenTextures;
    decltype(&::glBindTexture) glBindTexture = ::glBindTexture;
    decltype(&::glDeleteTextures) glDeleteTextures = ::glDeleteTextures;
    decltype(&::glTexImage2D) glTexImage2D = ::glTexImage2D;
    decltype(&::glGetTexLevelParameteriv) glGetTexLevelParameteriv = ::glGetTexLevelParameteriv;
    decltype(&::glViewport) glViewport = ::glViewport;
    decltype(&::glMatrixMode) glMatrixMode = ::glMatrixMode;
    decltype(&::glLoadIdentity) glLoadIdentity = ::glLoadIdentity;
    decltype(&::glOrtho) glOrtho = ::glOrtho;
    decltype(&::glClearColor) glClearColor = ::glClearColor;
    decltype(&::glClear) glClear = ::glClear;

    // opengl32: frame state, immediate-mode drawing, text and read-back
    decltype(&::glBlendFunc) glBlendFunc = ::glBlendFunc;
    decltype(&::glColorMask) glColorMask = ::glColorMask;
    decltype(&::glStencilMask) glStencilMask = ::glStencilMask;
    decltype(&::glStencilFunc) glStencilFunc = ::glStencilFunc;
    decltype(&::glStencilOp) glStencilOp = ::glStencilOp;
    decltype(&::glClearStencil) glClearStencil = ::glClearStencil;
    decltype(&::glFlush) glFlush = ::glFlush;
    decltype(&::glGetIntegerv) glGetIntegerv = ::glGetIntegerv;
    decltype(&::glColor4f) glColor4f = ::glColor4f;
    decltype(&::glColor4ub) glColor4ub = ::glColor4ub;
    decltype(&::glBegin) glBegin = ::glBegin;
    decltype(&::glEnd) glEnd = ::glEnd;
    decltype(&::glVertex2f) glVertex2f = ::glVertex2f;
    decltype(&::glTexCoord2f) glTexCoord2f = ::glTexCoord2f;
    decltype(&::glTexParameteri) glTexParameteri = ::glTexParameteri;
    decltype(&::glPixelStorei) glPixelStorei = ::glPixelStorei;
    decltype(&::glRasterPos2f) glRasterPos2f = ::glRasterPos2f;
    decltype(&::glListBase) glListBase = ::glListBase;
    decltype(&::glCallLists) glCallLists = ::glCallLists;
    decltype(&::glReadBuffer) glReadBuffer = ::glReadBuffer;
    decltype(&::glReadPixels) glReadPixels = ::glReadPixels;
    decltype(&::glNewList) glNewList = ::glNewList;
    decltype(&::glEndList) glEndList = ::glEndList;
    decltype(&::glBitmap) glBitmap = ::glBitmap;
    decltype(&::GetCharWidth32A) GetCharWidth32A = ::GetCharWidth32A;

    // user32 and gdi32: held keys and layered presentation
    decltype(&::GetAsyncKeyState) GetAsyncKeyState = ::GetAsyncKeyState;
    decltype(&::UpdateLayeredWindow) UpdateLayeredWindow = ::UpdateLayeredWindow;
    decltype(&::CreateCompatibleDC) CreateCompatibleDC = ::CreateCompatibleDC;
    decltype(&::CreateDIBSection) CreateDIBSection = ::CreateDIBSection;

    // imm32
    decltype(&::ImmGetContext) ImmGetContext = ::ImmGetContext;
    decltype(&::ImmReleaseContext) ImmReleaseContext = ::ImmReleaseContext;
    decltype(&::ImmGetCompositionStringW) ImmGetCompositionStringW = ::ImmGetCompositionStringW;
    decltype(&::ImmSetCompositionWindow) ImmSetCompositionWindow = ::ImmSetCompositionWindow;
    decltype(&::ImmSetCandidateWindow) ImmSetCandidateWindow = ::ImmSetCandidateWindow;

    // shell32
    decltype(&::DragAcceptFiles) DragAcceptFiles = ::DragAcceptFiles;
    decltype(&::DragQueryFileW) DragQueryFileW = ::DragQueryFileW;
    decltype(&::DragFinish) DragFinish = ::DragFinish;

    // wtsapi32
    decltype(&::WTSRegisterSessionNotification) WTSRegisterSessionNotification =
        ::WTSRegisterSessionNotification;
    decltype(&::WTSUnRegisterSessionNotification) WTSUnRegisterSessionNotification =
        ::WTSUnRegisterSessionNotification;

    // kernel32
    decltype(&::GetModuleHandleW) GetModuleHandleW = ::GetModuleHandleW;
    decltype(&::LoadLibraryA) LoadLibraryA = ::LoadLibraryA;
    decltype(&::GetProcAddress) GetProcAddress = ::GetProcAddress;
    decltype(&::FreeLibrary) FreeLibrary = ::FreeLibrary;
    decltype(&::MultiByteToWideChar) MultiByteToWideChar = ::MultiByteToWideChar;
    decltype(&::WideCharToMultiByte) WideCharToMultiByte = ::WideCharToMultiByte;
    decltype(&::GlobalFree) GlobalFree = ::GlobalFree;

    platform_calls();
};

// The table the host calls through.
platform_calls& platform();

// An entry point looked up at run time counts as absent when the system
// answers one of the small values some drivers return instead of null.
bool entry_point_is_absent(PROC entry);

}  // namespace tamo
