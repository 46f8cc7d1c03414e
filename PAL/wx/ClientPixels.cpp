#include "PAL/wx/ClientPixels.h"

#include <wx/bitmap.h>
#include <wx/dcclient.h>
#include <wx/dcmemory.h>
#include <wx/window.h>

wxImage ReadClientPixels(wxWindow* window)
{
    const wxSize size = window->GetClientSize();
    if (size.x <= 0 || size.y <= 0)
        return wxImage();
    wxBitmap copy(size.x, size.y, 24);
    {
        wxClientDC screen(window);
        wxMemoryDC memory(copy);
        memory.Blit(0, 0, size.x, size.y, &screen, 0, 0);
    }
    return copy.ConvertToImage();
}

wxPoint FirstDifference(const wxImage& image, const Bitmap& bitmap)
{
    if (!image.IsOk() || image.GetWidth() != bitmap.GetWidth() || image.GetHeight() != bitmap.GetHeight())
        return wxPoint(0, 0);
    for (int y = 0; y < image.GetHeight(); ++y)
        for (int x = 0; x < image.GetWidth(); ++x) {
            const uint32_t p = bitmap.GetPixel(x, y);
            if (image.GetRed(x, y) != ((p >> 16) & 0xFF) || image.GetGreen(x, y) != ((p >> 8) & 0xFF) ||
                image.GetBlue(x, y) != (p & 0xFF))
                return wxPoint(x, y);
        }
    return wxPoint(-1, -1);
}
