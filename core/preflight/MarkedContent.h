#pragma once

#include <string>

class QPDFPageObjectHelper;

namespace orvanta::preflight {
/** Operators that put marks on the page: paths painted, text shown, pictures and shadings drawn. */
bool isPaintingOperator(const std::string& op);
/** Operators that build a path, which only a painting operator (or n) ends. */
bool isPathOperator(const std::string& op);

/** The painting operators of @p page's content drawn outside any marked content. */
int paintedOutsideMarkedContent(QPDFPageObjectHelper& page);
} // namespace orvanta::preflight
