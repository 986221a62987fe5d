#pragma once

#include "platform/ns/appkit/Button.h"

#include <functional>
#include <memory>
#include <vector>

namespace ns
{

enum MatrixMode { RadioModeMatrix = 0, HighlightModeMatrix = 1, ListModeMatrix = 2, TrackModeMatrix = 3 };

// A grid of button cells, row 0 at the top. In radio mode exactly one cell is
// on (or none, when empty selection is allowed); a click selects the cell
// under the mouse and sends the cell's action, or the matrix's when the cell
// has none. The matrix owns its cells.
class Matrix : public Control
{
public:
    using CellFactory = std::function<std::unique_ptr<ButtonCell>()>;

    // Without a factory the cells are radio buttons.
    Matrix(const Rect& frame, int mode, CellFactory makeCell = CellFactory(), int rows = 0, int columns = 0);

    // The prototype cell, whose font and alignment new cells take.
    ButtonCell* cell() const override { return prototype_.get(); }

    int mode() const { return mode_; }
    void setMode(int mode) { mode_ = mode; }
    bool allowsEmptySelection() const { return allowsEmptySelection_; }
    void setAllowsEmptySelection(bool allows);

    int numberOfRows() const { return rows_; }
    int numberOfColumns() const { return columns_; }
    // Keeps the cells that still fit and makes new ones for the rest.
    void renewRows(int rows, int columns);
    void addRow();
    void addColumn();
    QList<ButtonCell*> cells() const;
    ButtonCell* cellAtRow(int row, int column) const;
    ButtonCell* cellWithTag(int tag) const;
    // False when the cell is not in the matrix.
    bool getRowColumnOfCell(int* row, int* column, const ButtonCell* cell) const;

    ButtonCell* selectedCell() const;
    int selectedRow() const;
    int selectedColumn() const;
    void selectCellAtRow(int row, int column);
    bool selectCellWithTag(int tag);
    void deselectAllCells();

    Size cellSize() const { return cellSize_; }
    void setCellSize(Size size);
    Size intercellSpacing() const { return spacing_; }
    void setIntercellSpacing(Size spacing);
    Rect cellFrameAtRow(int row, int column) const;
    // Resizes the matrix to hold its cells exactly.
    void sizeToCells();
    // Makes the cells as large as the largest cell's content, then sizes to them.
    void sizeToFit() override;

    void setFont(const Font& font) override;
    void setEnabled(bool enabled) override;
    bool isFlipped() const override { return true; }
    void drawRect(const Rect& dirtyRect) override;
    bool performKeyEquivalent(const Event& event) override;
    void mouseDown(const Event& event) override;
    void mouseDragged(const Event& event) override;
    void mouseUp(const Event& event) override;

private:
    std::unique_ptr<ButtonCell> makeCell() const;
    ButtonCell* cellAtPoint(Point point) const;
    // Selects the cell and sends the action, as a click on it does.
    void clickCell(ButtonCell* cell);
    void ensureSelection();

    int mode_;
    CellFactory factory_;
    std::unique_ptr<ButtonCell> prototype_;
    int rows_ = 0;
    int columns_ = 0;
    std::vector<std::unique_ptr<ButtonCell>> cells_; // row by row
    ButtonCell* selected_ = nullptr;
    ButtonCell* pressed_ = nullptr;
    bool allowsEmptySelection_ = false;
    Size cellSize_{100, 18};
    Size spacing_{1, 1};
};

} // namespace ns
