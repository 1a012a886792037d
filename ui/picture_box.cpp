// The persistent image of a picture box: a memory bitmap of the client area, painted on WM_PAINT. Where
// the system has no memory for the bitmap, the box stays blank and the window works without it.
#include "picture_box.h"

const wchar_t kPictureBoxClass[] = L"VantorellePictureBox";

namespace {
struct Image {
    HDC dc;
    HBITMAP bitmap;
    HGDIOBJ previous;
    RECT area;
};

Image* ImageOf(HWND box) {
    return reinterpret_cast<Image*>(GetWindowLongPtrW(box, GWLP_USERDATA));
}

void CreateImage(HWND box) {
    auto* image = new Image{};
    GetClientRect(box, &image->area);
    HDC screen = GetDC(box);
    image->dc = CreateCompatibleDC(screen);
    image->bitmap = CreateCompatibleBitmap(screen, image->area.right, image->area.bottom);
    ReleaseDC(box, screen);
    if (image->bitmap) image->previous = SelectObject(image->dc, image->bitmap);
    SetWindowLongPtrW(box, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(image));
    PictureClear(box);
}

void DestroyImage(HWND box) {
    Image* image = ImageOf(box);
    if (!image) return;
    if (image->bitmap) {
        SelectObject(image->dc, image->previous);
        DeleteObject(image->bitmap);
    }
    DeleteDC(image->dc);
    delete image;
    SetWindowLongPtrW(box, GWLP_USERDATA, 0);
}

LRESULT CALLBACK PictureBoxProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
        CreateImage(box);
        return 0;
    case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(box, &paint);
        const Image* image = ImageOf(box);
        if (image->bitmap) BitBlt(dc, 0, 0, image->area.right, image->area.bottom, image->dc, 0, 0, SRCCOPY);
        else FillRect(dc, &image->area, GetSysColorBrush(COLOR_BTNFACE));
        EndPaint(box, &paint);
        return 0;
    }
    case WM_ERASEBKGND:
        return 1;  // the image covers the whole box
    case WM_DESTROY:
        DestroyImage(box);
        return 0;
    }
    return DefWindowProcW(box, message, wParam, lParam);
}
}  // namespace

void RegisterPictureBoxClass(HINSTANCE instance) {
    WNDCLASSEXW wc = {};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = PictureBoxProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = kPictureBoxClass;
    RegisterClassExW(&wc);
}

void PictureClear(HWND box) {
    const Image* image = ImageOf(box);
    FillRect(image->dc, &image->area, GetSysColorBrush(COLOR_BTNFACE));
}

HDC PictureDC(HWND box) {
    return ImageOf(box)->dc;
}

void PictureRefresh(HWND box) {
    InvalidateRect(box, nullptr, FALSE);
    UpdateWindow(box);
}
