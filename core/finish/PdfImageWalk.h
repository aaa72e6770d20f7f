#pragma once

#include <qpdf/QPDFObjectHandle.hh>

#include <functional>
#include <set>
#include <string>

namespace orvanta::finish {
/**
 * Calls @p visit once for each image drawn through @p resources; pictures drawn through forms are found through the
 * forms' own resources. @p seen keeps one visit per image across several calls.
 */
void forEachImage(QPDFObjectHandle resources, std::set<QPDFObjGen>& seen,
                  const std::function<void(QPDFObjectHandle& image)>& visit);

/**
 * Calls @p visit for each place that names an image in @p resources or in the resources of the forms drawn there:
 * the /XObject dictionary and the image's key in it, so the image may be swapped for another. @p seenForms keeps
 * each form's resources to one walk.
 */
void forEachImagePlace(QPDFObjectHandle resources, std::set<QPDFObjGen>& seenForms,
                       const std::function<void(QPDFObjectHandle& xObjects, const std::string& key)>& visit);
} // namespace orvanta::finish
