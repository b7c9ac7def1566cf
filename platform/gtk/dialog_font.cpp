#include "platform/gtk/dialog_font.h"

#include <fontconfig/fontconfig.h>
#include <gtk/gtk.h>

namespace {

constexpr char kAliases[] = R"(<?xml version="1.0"?>
<!DOCTYPE fontconfig SYSTEM "fonts.dtd">
<fontconfig>
  <alias binding="same">
    <family>ＭＳ Ｐゴシック</family>
    <prefer><family>IPAPGothic</family></prefer>
  </alias>
  <alias binding="same">
    <family>MS PGothic</family>
    <prefer><family>IPAPGothic</family></prefer>
  </alias>
</fontconfig>
)";

// The sample the average character width is taken over.
constexpr char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
constexpr int kAlphabetLength = 52;

} // namespace

void InstallDialogFontAliases() {
    static bool installed = false;
    if (installed) return;
    installed = true;
    if (!FcInit()) return;
    FcConfigParseAndLoadFromMemory(FcConfigGetCurrent(), reinterpret_cast<const FcChar8*>(kAliases), FcTrue);
}

DialogUnits MeasureDialogUnits(const char* family, int points) {
    PangoContext* context = gdk_pango_context_get();
    PangoFontDescription* font = pango_font_description_new();
    pango_font_description_set_family(font, family);
    pango_font_description_set_size(font, points * PANGO_SCALE);
    PangoLayout* layout = pango_layout_new(context);
    pango_layout_set_font_description(layout, font);
    pango_layout_set_text(layout, kAlphabet, -1);
    int width = 0, height = 0;
    pango_layout_get_pixel_size(layout, &width, &height);
    g_object_unref(layout);
    pango_font_description_free(font);
    g_object_unref(context);
    DialogUnits units{(width + kAlphabetLength / 2) / kAlphabetLength, height};
    if (units.avgCharWidth <= 0) units.avgCharWidth = 6;
    if (units.charHeight <= 0) units.charHeight = 13;
    return units;
}
