#pragma once

/// How a page lies on its paper. Paper sizes stay in portrait sense; landscape swaps them.
enum class TRLPageOrientation { poPortrait, poLandscape };
