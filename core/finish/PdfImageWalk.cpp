#include "PdfImageWalk.h"

using namespace orvanta::finish;

namespace orvanta::finish {
void forEachImagePlace(QPDFObjectHandle resources, std::set<QPDFObjGen>& seenForms,
                       const std::function<void(QPDFObjectHandle& xObjects, const std::string& key)>& visit)
{
    if (!resources.isDictionary() || !resources.getKey("/XObject").isDictionary())
        return;
    QPDFObjectHandle xObjects = resources.getKey("/XObject");
    for (const std::string& key : xObjects.getKeys()) {
        QPDFObjectHandle xObject = xObjects.getKey(key);
        if (!xObject.isStream())
            continue;
        QPDFObjectHandle dict = xObject.getDict();
        if (dict.getKey("/Subtype").isNameAndEquals("/Form")) {
            if (seenForms.insert(xObject.getObjGen()).second)
                forEachImagePlace(dict.getKey("/Resources"), seenForms, visit);
        } else if (dict.getKey("/Subtype").isNameAndEquals("/Image")) {
            visit(xObjects, key);
        }
    }
}

void forEachImage(QPDFObjectHandle resources, std::set<QPDFObjGen>& seen,
                  const std::function<void(QPDFObjectHandle& image)>& visit)
{
    forEachImagePlace(resources, seen, [&seen, &visit](QPDFObjectHandle& xObjects, const std::string& key) {
        QPDFObjectHandle image = xObjects.getKey(key);
        if (seen.insert(image.getObjGen()).second)
            visit(image);
    });
}
} // namespace orvanta::finish
