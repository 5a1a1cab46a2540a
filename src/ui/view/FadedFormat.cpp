#include "view/FadedFormat.h"

uint32_t FadedColor(uint32_t color, uint32_t background)
{
    uint32_t faded = 0;
    for (int shift : {0, 8, 16}) {
        const uint32_t mixed = (((color >> shift) & 0xFF) + ((background >> shift) & 0xFF) + 1) / 2;
        faded |= mixed << shift;
    }
    return faded;
}

FormatContext FadedFormat(const FormatContext &context)
{
    FormatContext faded = context;
    const uint32_t background = context.m_background;
    for (uint32_t *color : {&faded.m_colorInfo, &faded.m_colorText, &faded.m_colorHigh, &faded.m_colorError,
                            &faded.m_colorTime, &faded.m_decoration.m_colorMyText, &faded.m_decoration.m_colorABText})
        *color = FadedColor(*color, background);
    return faded;
}
