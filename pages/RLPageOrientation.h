#pragma once

/// @file
/// The page orientation, shared by page stores, pages, page setups and printer output.

/// How a page lies on its paper. Paper sizes stay in portrait sense; landscape swaps them.
enum class TRLPageOrientation { poPortrait, poLandscape };
