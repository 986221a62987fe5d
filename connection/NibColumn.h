#pragma once

#include "platform/ns/appkit/Geometry.h"

#include <QString>
#include <QStringList>

namespace ns
{
class Button;
class Matrix;
class Object;
class TextField;
class View;
} // namespace ns

class NibWording;

// Places the controls of a window built in code one under the other in a
// column of a view, from its top down, each sending its action to the target.
class NibColumn
{
public:
    // The column starts at top (Cocoa coordinates, y up) and is width wide.
    // With a wording, every text given becomes a key that the wording
    // translates on each change of language.
    NibColumn(ns::View* view, double x, double top, double width, ns::Object* target,
              NibWording* wording = nullptr);

    // A caption across the column.
    ns::TextField* caption(const QString& text);
    // A caption on the left and a text field (a password field when secure)
    // beside it; the caption's label goes to captionLabel when given.
    ns::TextField* field(const QString& caption, bool secure = false, ns::TextField** captionLabel = nullptr);
    ns::Button* checkBox(const QString& title, const QString& action);
    // A radio group of one column, its rows titled in order, under an optional
    // caption whose label goes to captionLabel when given.
    ns::Matrix* radios(const QStringList& titles, const QString& action, const QString& caption = QString(),
                       ns::TextField** captionLabel = nullptr);
    // A radio group of cells in rows and columns, titled row by row.
    ns::Matrix* grid(const QStringList& titles, int rows, int columns, const QString& action);
    ns::Button* pushButton(const QString& title, const QString& action, double width);
    void skip(double height) { y_ -= height; }
    double bottom() const { return y_; }

private:
    ns::Rect nextRow(double height);
    // The text is a key of the wording, when there is one.
    void keep(ns::TextField* label, const QString& key);
    template <class Titled> void keepTitle(Titled* control, const QString& key);

    ns::View* view_;
    double x_;
    double y_;
    double width_;
    ns::Object* target_;
    NibWording* wording_;
};
