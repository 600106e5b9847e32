#pragma once

#include <QByteArray>
#include <QFont>
#include <QHash>
#include <QList>

namespace vel {

// The CJK fonts draw a unified ideograph and the Kangxi radical that looks like it (人 and ⼈) with
// one glyph, and the character map Qt writes into a PDF gives each glyph the first code point
// the font maps to it: the radical. Copying or searching the PDF then finds ⼈ where 人 was drawn.

// For each radical (U+2E80–U+2FDF) that shares its glyph with a unified ideograph in one of
// `fonts`, that ideograph.
QHash<char16_t, char16_t> unifiedForRadicals(const QList<QFont>& fonts);

// The PDF with every radical its character maps give replaced by the ideograph `unified` names.
// Each is four hex digits either way, so no offset in the file moves.
QByteArray withUnifiedIdeographs(QByteArray pdf, const QHash<char16_t, char16_t>& unified);

}  // namespace vel
