// <windows.h> and <commctrl.h> for the toolkit's Win32 backend, with the
// toolkit headers that every part of the backend uses.
#pragma once
#include "ui/Application.h"
#include "ui/Controls.h"
#include "ui/TreeView.h"

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#include <commctrl.h>
