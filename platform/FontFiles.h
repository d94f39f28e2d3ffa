#pragma once

#include "platform/Graphics.h"

#include <QList>
#include <QString>

/// An installed font file and the face inside it (a collection holds several).
struct TFontFile {
    QString Path;
    int FaceIndex = 0;
    /// fontconfig's format name: "TrueType", "CFF", "Type 1", ...
    QString Format;

    bool operator==(const TFontFile&) const = default;
};

/// The files fontconfig offers for the family in the style (bold and italic are looked at),
/// best match first, as it resolves the faces the text is drawn and measured with. At most
/// `limit` files; empty when fontconfig knows no font at all.
QList<TFontFile> FontFilesFor(const QString& family, TFontStyles style, int limit = 8);
