#pragma once

#include <QString>

// Text in a symbol font names glyphs by their place in the font, not by what
// they are: the Symbol font's 'D' is a capital delta. These give the Unicode
// characters such text stands for, so that any font can draw it.
namespace SymbolCharset {
// Whether a font of this character set and face holds the Symbol font's glyphs.
bool IsSymbolFont(int nCharSet, const QString& strFace);
// The Unicode character for a code of the Symbol font: its 8-bit code, or the
// same code in the private-use page U+F000 where wide strings put it. Other
// characters, and codes the font leaves empty, come back as they are.
char16_t ToUnicode(char16_t c);
QString ToUnicode(const QString& str);
} // namespace SymbolCharset
