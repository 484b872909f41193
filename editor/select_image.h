// The button "画像選択": the user chooses a picture strip, one 80 pixels wide and a whole
// multiple of 80 pixels high (at most 255 squares). Any other file is refused with the
// editor's message.
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

namespace tavimore {

// False when nothing was chosen. Otherwise `images` holds the strip's face images, top
// square first, or none when the file was refused.
bool SelectImage(HWND owner, std::vector<uint32_t>* images);

}  // namespace tavimore
