#pragma once

#include <qpdf/QPDFObjectHandle.hh>

#include <functional>
#include <set>

/**
 * Calls @p visit once for each image drawn through @p resources; pictures drawn through forms are found through the
 * forms' own resources. @p seen keeps one visit per image across several calls.
 */
void forEachImage(QPDFObjectHandle resources, std::set<QPDFObjGen>& seen,
                  const std::function<void(QPDFObjectHandle& image)>& visit);
