#include "connection/NibWording.h"

void NibWording::add(const QString& key, std::function<void(const QString&)> setText)
{
    texts_.append({key, std::move(setText)});
}

void NibWording::apply(const Translate& translate) const
{
    for (const auto& [key, setText] : texts_)
        setText(translate(key));
}
