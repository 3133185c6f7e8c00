// <windows.h> and <commctrl.h> for the toolkit's Win32 backend. windows.h
// defines the key names (VK_TAB, ...) as macros, so the toolkit headers that
// declare ui::VK_TAB and friends are read first; after this header, the
// backend uses the system's macros, which have the same values.
#pragma once
#include "ui/Application.h"
#include "ui/Controls.h"
#include "ui/TreeView.h"

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#include <commctrl.h>
