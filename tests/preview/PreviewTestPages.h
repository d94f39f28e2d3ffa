#pragma once

#include "pages/RLGraphicStorage.h"
#include "platform/Component.h"

#include <QPoint>
#include <QString>
#include <QStringList>
#include <memory>

/// A4 portrait in dots.
constexpr int kA4Width = 794;
constexpr int kA4Height = 1123;

/// An owner for the test's store, so that the store outlives the windows showing it.
struct TPreviewPages {
    TComponent Owner { nullptr };
    TRLGraphicStorage* Storage = new TRLGraphicStorage(&Owner);
};

/// A4 portrait pages numbered from `firstPageNumber`; page n (from 1) holds the texts of
/// `texts[n - 1]` one under the other (group ids 0), a titled rectangle (group id 7 for the
/// rectangle and its caption) and the footer "Página {n} de {LastPageNumber}".
std::unique_ptr<TPreviewPages> MakePreviewPages(
    const std::vector<QStringList>& texts, int firstPageNumber = 1);
/// `count` pages, each with the texts "Page n" and "Total n".
std::unique_ptr<TPreviewPages> MakeNumberedPages(int count, int firstPageNumber = 1);
/// Top-left corner of the i-th text of a page made above, in dots.
QPoint TextPosition(int index);
