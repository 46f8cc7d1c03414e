#include "PAL/ViewLib/BackdropImage.h"

void BackdropImage::Reset(int32_t width, int32_t height)
{
    m_width = width;
    m_height = height;
    m_source = nullptr;
    m_image.reset();
}

void BackdropImage::SetBackground(const Bitmap* source, const Rect& under)
{
    m_source = source;
    m_under = under;
}

Bitmap* BackdropImage::Get()
{
    if (!m_image)
        m_image = std::make_unique<Bitmap>(m_width, m_height);
    return m_image->IsValid() ? m_image.get() : nullptr;
}

Bitmap* BackdropImage::Begin()
{
    Bitmap* image = Get();
    if (!image)
        return nullptr;
    const bool covered = m_source && m_under.left >= 0 && m_under.top >= 0 &&
                         m_under.right <= m_source->GetWidth() && m_under.bottom <= m_source->GetHeight() &&
                         m_under.right - m_under.left >= m_width && m_under.bottom - m_under.top >= m_height;
    if (!covered)
        image->Fill(0);
    if (m_source)
        m_source->CopyTo(image, 0, 0, &m_under);
    return image;
}
