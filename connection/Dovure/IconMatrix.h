#pragma once

#include "platform/ns/Value.h"
#include "platform/ns/appkit/Matrix.h"

// A grid of image cells showing a list of {"Index", "Image"} entries (cell
// Index counted row by row). A click selects the cell under the mouse:
// its index becomes curcellIndex, drawn on blue, and the matrix sends its
// action; a click beside every cell selects none and sends nothing.
class IconMatrix : public ns::Matrix
{
public:
    IconMatrix(const ns::Rect& frame, int rows, int columns);

    const ns::Array& list() const { return list_; }
    void setList(const ns::Array& list) { list_ = list; }
    // Gives each listed cell the image of its entry's "Image" path.
    void refresh();
    int curcellIndex() const { return curcellIndex_; }
    void setCurcellIndex(int index) { curcellIndex_ = index; }

    void drawRect(const ns::Rect& dirtyRect) override;
    void mouseDown(const ns::Event& event) override;
    void mouseDragged(const ns::Event&) override {}
    void mouseUp(const ns::Event&) override {}

private:
    ns::Array list_;
    int curcellIndex_ = -1;
};
