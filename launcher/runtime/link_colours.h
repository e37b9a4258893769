#pragma once
// The colours the user chose for links and visited links in the browser settings.
#include "runtime/color_triple.h"

namespace launcher {

struct LinkColours {
    ColorValue link = 0xFF0000;     // blue
    ColorValue visited = 0x800080;  // purple
};

// From HKEY_CURRENT_USER "Software\Microsoft\Internet Explorer\Settings", values "Anchor Color"
// and "Anchor Color Visited"; each colour that is missing or malformed keeps its default.
LinkColours ReadLinkColours();

}  // namespace launcher
