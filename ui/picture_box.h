// A picture box that keeps what is drawn into it as a persistent image, from which it repaints itself.
#pragma once

#include <windows.h>

extern const wchar_t kPictureBoxClass[];

void RegisterPictureBoxClass(HINSTANCE instance);

// Erases the image to the box's background colour (the button face).
void PictureClear(HWND box);
// The device context of the image: what is drawn into it stays until the next clear.
HDC PictureDC(HWND box);
// Shows the image on screen now.
void PictureRefresh(HWND box);
