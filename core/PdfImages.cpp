#include "PdfImages.h"

void forEachImage(QPDFObjectHandle resources, std::set<QPDFObjGen>& seen,
                  const std::function<void(QPDFObjectHandle& image)>& visit)
{
    if (!resources.isDictionary() || !resources.getKey("/XObject").isDictionary())
        return;
    QPDFObjectHandle xObjects = resources.getKey("/XObject");
    for (const std::string& key : xObjects.getKeys()) {
        QPDFObjectHandle xObject = xObjects.getKey(key);
        if (!xObject.isStream() || !seen.insert(xObject.getObjGen()).second)
            continue;
        QPDFObjectHandle dict = xObject.getDict();
        if (dict.getKey("/Subtype").isNameAndEquals("/Form"))
            forEachImage(dict.getKey("/Resources"), seen, visit);
        else if (dict.getKey("/Subtype").isNameAndEquals("/Image"))
            visit(xObject);
    }
}
