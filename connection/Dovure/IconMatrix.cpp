#include "connection/Dovure/IconMatrix.h"

#include "platform/ns/appkit/Color.h"
#include "platform/ns/appkit/GraphicsContext.h"

#include <memory>

IconMatrix::IconMatrix(const ns::Rect& frame, int rows, int columns)
    : ns::Matrix(
          frame, ns::HighlightModeMatrix,
          [] {
              auto cell = std::make_unique<ns::ButtonCell>();
              cell->setButtonType(ns::MomentaryChangeButton);
              cell->setBordered(false);
              cell->setImagePosition(ns::ImageOnly);
              return cell;
          },
          rows, columns)
{
}

void IconMatrix::refresh()
{
    const int columns = numberOfColumns();
    for (const ns::Value& value : list_) {
        const ns::Dictionary entry = value.toDictionary();
        const ns::Value index = entry.value(QStringLiteral("Index"));
        if (index.isNull() || columns == 0 || index.intValue() < 0)
            continue;
        ns::ButtonCell* cell = cellAtRow(index.intValue() / columns, index.intValue() % columns);
        const QString image = entry.value(QStringLiteral("Image")).toString();
        if (cell && !image.isEmpty())
            cell->setImage(ns::Image::imageWithContentsOfFile(image));
    }
    setNeedsDisplay();
}

void IconMatrix::drawRect(const ns::Rect& dirtyRect)
{
    // The bounds start clear: what lies behind the matrix shows between the cells.
    const int columns = numberOfColumns();
    if (curcellIndex_ != -1 && columns > 0) {
        ns::Color::blueColor().set();
        ns::rectFill(cellFrameAtRow(curcellIndex_ / columns, curcellIndex_ % columns));
    }
    ns::Matrix::drawRect(dirtyRect);
}

void IconMatrix::mouseDown(const ns::Event& event)
{
    const ns::Point point = convertPoint(event.locationInWindow(), nullptr);
    curcellIndex_ = -1;
    for (ns::ButtonCell* cell : cells())
        cell->setHighlighted(false);
    for (int row = 0; row < numberOfRows() && curcellIndex_ == -1; ++row) {
        for (int column = 0; column < numberOfColumns(); ++column) {
            if (cellFrameAtRow(row, column).containsPoint(point)) {
                curcellIndex_ = row * numberOfColumns() + column;
                cellAtRow(row, column)->setHighlighted(true);
                break;
            }
        }
    }
    setNeedsDisplay();
    if (curcellIndex_ != -1)
        sendAction(action(), target());
}
