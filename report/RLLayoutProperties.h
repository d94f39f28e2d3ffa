#pragma once

class TRLPublishedProperties;

/// Adds the properties a layout file keeps beyond those formulas use: placement, bands, pagers,
/// grids, the page, the preview window and the parts of controls (borders, margins, pen, brush).
void AddLayoutProperties(TRLPublishedProperties& table);
