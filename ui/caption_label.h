#pragma once

#include <QLabel>

class QFontMetrics;

namespace korvane {

// Where a caption's baseline lies in its box, and how tall the box must be.
struct CaptionPlacement {
    int baseline;
    int height;
};

// A caption hangs from the top of its box, as in the face the layout was
// drawn for. The stand-in faces are often taller, with glyphs that reach
// above their ascent or below the box; then the line is centred, and if the
// ink still touches an edge it is moved just inside. A box too low for the
// ink at all grows downward.
CaptionPlacement placeCaption(const QFontMetrics& metrics, const QString& caption, int boxHeight);

// A static label of the layout that draws its single line of text where
// placeCaption() puts it, so that no glyph is cut.
class CaptionLabel final : public QLabel {
public:
    CaptionLabel(const QString& caption, const QFont& font, QWidget* parent);

    // Takes `box` as its geometry, grown downward if the ink needs it.
    void placeIn(const QRect& box);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int baseline_ = -1; // not placed yet
};

} // namespace korvane
