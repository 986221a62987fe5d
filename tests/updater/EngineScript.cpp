#include "tests/updater/EngineScript.h"

#include "jCommon/UpdateLink.h"
#include "platform/ns/PropertyList.h"

namespace updater_test
{

std::optional<EngineScript> parseEngineScript(const QByteArray& bytes, QString* error)
{
    const std::optional<ns::Value> list = ns::PropertyList::fromData(bytes);
    if (!list || !list->isDictionary()) {
        *error = QStringLiteral("not a property-list dictionary");
        return std::nullopt;
    }
    const ns::Dictionary root = list->toDictionary();
    EngineScript script;
    const ns::Value& steps = root.value(QStringLiteral("Steps"));
    if (!steps.isNull() && !steps.isArray()) {
        *error = QStringLiteral("Steps is not an array");
        return std::nullopt;
    }
    for (const ns::Value& value : steps.toArray()) {
        const ns::Dictionary step = value.toDictionary();
        if (!value.isDictionary() || !step.value(kUPDA_PROCESS).isNumber() ||
            !step.value(kUPDA_STATE).isNumber()) {
            *error = QStringLiteral("a step without UPDA_PROCESS and UPDA_STATE");
            return std::nullopt;
        }
        script.steps.append({step.value(kUPDA_PROCESS).doubleValue(), step.value(kUPDA_STATE).intValue()});
    }
    if (const ns::Value& result = root.value(kUPDA_RESULT); result.isNumber())
        script.result = result.intValue();
    script.record = root.value(QStringLiteral("Record")).stringValue();
    return script;
}

QByteArray engineScriptData(const EngineScript& script)
{
    ns::Array steps;
    for (const EngineScript::Step& step : script.steps)
        steps.append(ns::Dictionary{{kUPDA_PROCESS, step.process}, {kUPDA_STATE, step.state}});
    ns::Dictionary root{{QStringLiteral("Steps"), steps}, {QStringLiteral("Record"), script.record}};
    if (script.result)
        root.setValue(kUPDA_RESULT, *script.result);
    return ns::PropertyList::toXml(root);
}

} // namespace updater_test
