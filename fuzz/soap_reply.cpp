// Feeds the SOAP client's reply reader with any bytes: the records come out
// without a crash, each a name and a text, never more than the elements
// the reply ends.

#include "connection/CocoaSoap/SoapClient.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray reply(reinterpret_cast<const char*>(data), qsizetype(size));
    SoapClient client;
    client.parseXMLData(reply);
    const ns::Array& records = client.getxmlNodeRecordArray();
    if (records.count() > reply.count("</") + reply.count("/>"))
        std::abort();
    for (const ns::Value& record : records) {
        const ns::Dictionary node = record.toDictionary();
        if (node.value(QStringLiteral("xmlNodeName")).toString().isEmpty() ||
            node.value(QStringLiteral("xmlNodeValue")).type() != ns::Value::Type::String)
            std::abort();
    }
    return 0;
}
