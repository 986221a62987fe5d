#pragma once

#include <QList>
#include <QString>

#include <functional>
#include <utility>

// The texts of a window built in code, kept by their keys: the window is
// built once and worded again on every change of language.
class NibWording
{
public:
    using Translate = std::function<QString(const QString&)>;

    // A control whose text is the translation of the key.
    void add(const QString& key, std::function<void(const QString&)> setText);
    // Anything with a title (buttons, cells, boxes, windows).
    template <class Titled> void title(Titled* control, const QString& key)
    {
        if (control)
            add(key, [control](const QString& text) { control->setTitle(text); });
    }
    // Gives every control the translation of its key, in the order they were added.
    void apply(const Translate& translate) const;

private:
    QList<std::pair<QString, std::function<void(const QString&)>>> texts_;
};
