// The program's pictures: bitmap 134 and icon 100 embedded from res/*.bmp, cursor 131 drawn in code.
#include "res/bmp_image.h"
#include "res/cursor_image.h"
#include "res/image_resources.h"
#include "res/resource.h"

extern const unsigned char kPipesBmp[];
extern const size_t kPipesBmp_size;
extern const unsigned char kIconBmp[];
extern const size_t kIconBmp_size;

namespace {

struct Images {
    std::optional<BmpImage> picture = ReadBmp8(kPipesBmp, kPipesBmp_size);
    std::optional<BmpImage> iconBmp = ReadBmp8(kIconBmp, kIconBmp_size);
    std::vector<uint32_t> iconArgb;
    std::array<uint32_t, kCursorSize * kCursorSize> cursorArgb = CursorPixels();
    std::vector<AfxBitmapResource> bitmaps;
    std::vector<AfxImageResource> icons;
    std::vector<AfxImageResource> cursors;

    Images() {
        if (picture)
            bitmaps.push_back({IDB_PIPES, picture->width, picture->height, picture->pixels.data(),
                               picture->palette.data(), static_cast<int>(picture->palette.size())});
        if (iconBmp) {
            for (uint8_t index : iconBmp->pixels) iconArgb.push_back(0xFF000000u | iconBmp->palette[index]);
            icons.push_back({IDI_SAVER, iconBmp->width, iconBmp->height, 0, 0, iconArgb.data()});
        }
        cursors.push_back({IDC_SAVER, kCursorSize, kCursorSize, 0, 0, cursorArgb.data()});
    }
};

const Images& TheImages() {
    static const Images images;
    return images;
}

} // namespace

void AddImageResources(AfxResourceModule& module) {
    const Images& images = TheImages();
    module.bitmaps = images.bitmaps.data();
    module.bitmapCount = images.bitmaps.size();
    module.icons = images.icons.data();
    module.iconCount = images.icons.size();
    module.cursors = images.cursors.data();
    module.cursorCount = images.cursors.size();
}
