#pragma once

#include "pages/RLGraphicStorage.h"
#include "platform/Component.h"

#include <QImage>
#include <QString>
#include <functional>
#include <memory>

/// A4 portrait in dots.
constexpr int kA4Width = 794;
constexpr int kA4Height = 1123;

/// An owner for the test's store, so that the store outlives every filter run.
struct TTestPages {
    TComponent Owner { nullptr };
    TRLGraphicStorage* Storage = new TRLGraphicStorage(&Owner);
};

class TRLGraphicSurface;

/// An empty A4 portrait store.
std::unique_ptr<TTestPages> MakeStore();
/// Appends an A4 page that `draw` fills.
void AddPage(TTestPages& pages, const std::function<void(TRLGraphicSurface&)>& draw);
/// `count` A4 pages, each holding the text "Page n" and a rectangle.
std::unique_ptr<TTestPages> MakePages(int count);
/// A 4 x 2 picture whose top-left pixel is red.
QImage LogoPicture();
