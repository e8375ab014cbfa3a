#pragma once

#include <QIcon>
#include <QList>
#include <QPixmap>

// The program's own glyphs: 16 x 16 pixel pictures for the menus and tool buttons, and the two
// 17 x 13 states of the filter button.
enum class TGlyph {
    Save,
    Copy,
    BackgroundColor,
    Properties,
    Exit,
    ScanFiles,
    ScanSubdirectories,
    AlwaysScan,
    LargeIcons,
    SmallIcons,
    List,
    Details,
    Filtered,
    Unfiltered,
};

// The glyph as a picture with transparent surroundings; throws std::logic_error when its art
// is malformed.
QPixmap GlyphPixmap(TGlyph glyph);
QIcon GlyphIcon(TGlyph glyph);

// The menu image list, in the order of the menu glyph indices: save, copy, background colour,
// properties, exit, folder scan, folder-tree scan.
QList<QIcon> MenuImages();
