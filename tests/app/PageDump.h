#pragma once

#include <QString>

class TRLGraphicSurface;

/// A page as text, one line for the page (size and macros), then one line per drawing object
/// in drawing order: kind, bounds, and the kind's own fields (tools, font, text, picture
/// checksum). Group ids are renumbered from 1 in order of first use on the page, so the dump
/// does not depend on what else the process printed before.
QString DumpPage(const TRLGraphicSurface& page);
