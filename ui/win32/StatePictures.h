// The native image list behind a tree's state pictures (StateImageList). The
// stock check-box pictures come from the visual theme when themes are in
// force for controls; otherwise from the program's 13 x 13 bitmap resources
// CHECKBOX_UNCHECKED, CHECKBOX_CHECKED and CHECKBOX_GRAYED with their
// colours put in (see ui/CheckImageColors.h), or, for a program without
// those resources, from the system's classic check-box drawing. On a screen
// of a larger scale the cells are scaled and the bitmaps are the resources'
// _150 or _200 versions (see ui/CheckImageColors.h).
#pragma once
#include "ui/win32/GdiObjects.h"

namespace ui::win32 {

ImageListHandle MakeStatePictures(const StateImageList& images, int dpi);

}  // namespace ui::win32
