#pragma once

namespace quirlo {

// Cards as buttons named by their syllable that a screen reader can press,
// slots named by their place and content, pictures as graphics. Installed once,
// by the first window built.
void installaAccessibilita();

}  // namespace quirlo
