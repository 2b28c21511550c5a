#pragma once
// Window handles for docking: a handle names a widget; the two window calls
// the components use work on handles. A widget handed to a foreign window
// must be given back (undocked) before that window goes.

#include <QWidget>
#include <cstdint>

namespace ui {

using HWnd = std::intptr_t;

// The handle of a widget (allocated on first request, 0 for none).
HWnd handleOf(QWidget* widget);
// The widget of a handle, or null when it is unknown or gone.
QWidget* widgetOf(HWnd handle);

// Makes child a child window of newParent (0: a top-level window again) and
// answers the previous parent's handle; 0 when the child is unknown.
HWnd SetParent(HWnd child, HWnd newParent);

// Places a window (pixels, relative to its parent); false when unknown.
bool SetWindowPos(HWnd window, int x, int y, int width, int height);

}  // namespace ui
