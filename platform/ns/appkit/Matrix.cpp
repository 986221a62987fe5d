#include "platform/ns/appkit/Matrix.h"

namespace ns
{

Matrix::Matrix(const Rect& frame, int mode, CellFactory makeCell, int rows, int columns)
    : Control(frame), mode_(mode), factory_(std::move(makeCell))
{
    prototype_ = this->makeCell();
    renewRows(rows, columns);
}

std::unique_ptr<ButtonCell> Matrix::makeCell() const
{
    std::unique_ptr<ButtonCell> cell = factory_ ? factory_() : nullptr;
    if (!cell) {
        cell = std::make_unique<ButtonCell>();
        cell->setButtonType(RadioButton);
    }
    if (prototype_) {
        cell->setFont(prototype_->font());
        cell->setEnabled(isEnabled());
    }
    cell->setControlView(const_cast<Matrix*>(this));
    return cell;
}

void Matrix::setAllowsEmptySelection(bool allows)
{
    allowsEmptySelection_ = allows;
    ensureSelection();
}

void Matrix::renewRows(int rows, int columns)
{
    rows = std::max(0, rows);
    columns = std::max(0, columns);
    std::vector<std::unique_ptr<ButtonCell>> renewed(size_t(rows * columns));
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < columns; ++c) {
            auto& slot = renewed[size_t(r * columns + c)];
            if (r < rows_ && c < columns_)
                slot = std::move(cells_[size_t(r * columns_ + c)]);
            else
                slot = makeCell();
        }
    }
    cells_ = std::move(renewed);
    rows_ = rows;
    columns_ = columns;
    if (!getRowColumnOfCell(nullptr, nullptr, selected_))
        selected_ = nullptr;
    pressed_ = nullptr;
    ensureSelection();
    update();
}

void Matrix::addRow()
{
    renewRows(rows_ + 1, std::max(columns_, 1));
}

void Matrix::addColumn()
{
    renewRows(std::max(rows_, 1), columns_ + 1);
}

QList<ButtonCell*> Matrix::cells() const
{
    QList<ButtonCell*> result;
    for (const auto& cell : cells_)
        result.append(cell.get());
    return result;
}

ButtonCell* Matrix::cellAtRow(int row, int column) const
{
    if (row < 0 || row >= rows_ || column < 0 || column >= columns_)
        return nullptr;
    return cells_[size_t(row * columns_ + column)].get();
}

ButtonCell* Matrix::cellWithTag(int tag) const
{
    for (const auto& cell : cells_)
        if (cell->tag() == tag)
            return cell.get();
    return nullptr;
}

bool Matrix::getRowColumnOfCell(int* row, int* column, const ButtonCell* cell) const
{
    for (size_t i = 0; cell && i < cells_.size(); ++i) {
        if (cells_[i].get() == cell) {
            if (row)
                *row = int(i) / columns_;
            if (column)
                *column = int(i) % columns_;
            return true;
        }
    }
    return false;
}

ButtonCell* Matrix::selectedCell() const
{
    return selected_;
}

int Matrix::selectedRow() const
{
    int row = -1;
    getRowColumnOfCell(&row, nullptr, selected_);
    return row;
}

int Matrix::selectedColumn() const
{
    int column = -1;
    getRowColumnOfCell(nullptr, &column, selected_);
    return column;
}

void Matrix::selectCellAtRow(int row, int column)
{
    ButtonCell* cell = cellAtRow(row, column);
    if (!cell) {
        if (row == -1 && column == -1 && allowsEmptySelection_)
            deselectAllCells();
        return;
    }
    selected_ = cell;
    if (mode_ == RadioModeMatrix)
        for (const auto& c : cells_)
            c->setState(c.get() == cell ? OnState : OffState);
    else
        cell->setState(OnState);
    update();
}

bool Matrix::selectCellWithTag(int tag)
{
    int row = -1, column = -1;
    if (!getRowColumnOfCell(&row, &column, cellWithTag(tag)))
        return false;
    selectCellAtRow(row, column);
    return true;
}

void Matrix::deselectAllCells()
{
    if (mode_ == RadioModeMatrix && !allowsEmptySelection_)
        return;
    for (const auto& cell : cells_)
        cell->setState(OffState);
    selected_ = nullptr;
    update();
}

void Matrix::ensureSelection()
{
    if (mode_ == RadioModeMatrix && !allowsEmptySelection_ && !selected_ && !cells_.empty())
        selectCellAtRow(0, 0);
}

void Matrix::setCellSize(Size size)
{
    cellSize_ = size;
    update();
}

void Matrix::setIntercellSpacing(Size spacing)
{
    spacing_ = spacing;
    update();
}

Rect Matrix::cellFrameAtRow(int row, int column) const
{
    return {column * (cellSize_.width + spacing_.width), row * (cellSize_.height + spacing_.height),
            cellSize_.width, cellSize_.height};
}

void Matrix::sizeToCells()
{
    const double width = columns_ > 0 ? columns_ * cellSize_.width + (columns_ - 1) * spacing_.width : 0;
    const double height = rows_ > 0 ? rows_ * cellSize_.height + (rows_ - 1) * spacing_.height : 0;
    setFrameSize({width, height});
}

void Matrix::sizeToFit()
{
    Size largest;
    for (const auto& cell : cells_) {
        const Size size = cell->cellSize();
        largest = {std::max(largest.width, size.width), std::max(largest.height, size.height)};
    }
    if (!cells_.empty())
        cellSize_ = largest;
    sizeToCells();
}

void Matrix::setFont(const Font& font)
{
    Control::setFont(font);
    for (const auto& cell : cells_)
        cell->setFont(font);
}

void Matrix::setEnabled(bool enabled)
{
    Control::setEnabled(enabled);
    for (const auto& cell : cells_)
        cell->setEnabled(enabled);
}

void Matrix::drawRect(const Rect& dirtyRect)
{
    for (int r = 0; r < rows_; ++r) {
        for (int c = 0; c < columns_; ++c) {
            const Rect frame = cellFrameAtRow(r, c);
            if (!frame.intersection(dirtyRect).isEmpty())
                cellAtRow(r, c)->drawWithFrame(frame, this);
        }
    }
}

ButtonCell* Matrix::cellAtPoint(Point point) const
{
    for (int r = 0; r < rows_; ++r)
        for (int c = 0; c < columns_; ++c)
            if (cellFrameAtRow(r, c).containsPoint(point))
                return cellAtRow(r, c);
    return nullptr;
}

void Matrix::clickCell(ButtonCell* cell)
{
    int row = -1, column = -1;
    if (!cell->isEnabled() || !getRowColumnOfCell(&row, &column, cell))
        return;
    if (mode_ == RadioModeMatrix) {
        selectCellAtRow(row, column);
    } else {
        selected_ = cell;
        cell->setNextState();
    }
    if (!cell->action().isEmpty())
        sendAction(cell->action(), cell->target());
    else
        sendAction(action(), target());
}

bool Matrix::performKeyEquivalent(const Event& event)
{
    if (!isEnabled() || isHiddenOrHasHiddenAncestor())
        return false;
    for (const auto& cell : cells_) {
        if (cell->isEnabled() && cell->matchesKeyEquivalent(event)) {
            clickCell(cell.get());
            return true;
        }
    }
    return false;
}

void Matrix::mouseDown(const Event& event)
{
    pressed_ = cellAtPoint(convertPoint(event.locationInWindow(), nullptr));
    if (pressed_ && pressed_->isEnabled())
        pressed_->setHighlighted(true);
    else
        pressed_ = nullptr;
}

void Matrix::mouseDragged(const Event& event)
{
    if (pressed_)
        pressed_->setHighlighted(cellAtPoint(convertPoint(event.locationInWindow(), nullptr)) == pressed_);
}

void Matrix::mouseUp(const Event& event)
{
    ButtonCell* cell = pressed_;
    pressed_ = nullptr;
    if (!cell)
        return;
    cell->setHighlighted(false);
    if (cellAtPoint(convertPoint(event.locationInWindow(), nullptr)) == cell)
        clickCell(cell);
}

} // namespace ns
