#pragma once

#include <QMetaType>
#include <QVariant>

/**
 * A signal's argument as a spy holds it, for a type with no empty value (a result is a value or a failure), which
 * QVariant::value() cannot give back.
 */
template <typename T> T spiedArgument(const QVariant& argument)
{
    Q_ASSERT(argument.metaType() == QMetaType::fromType<T>());
    return *static_cast<const T*>(argument.constData());
}
