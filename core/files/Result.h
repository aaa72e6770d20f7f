#pragma once

#include <QString>

#include <optional>
#include <utility>

/**
 * Why an operation failed: the message the user sees, naming the file or the thing and why, and a kind for the few
 * callers that act on which failure it was (a missing file is no error to some). The kind is the caller's enum.
 */
class Failure final {
public:
    explicit Failure(QString message)
        : m_message(std::move(message))
    {
    }
    template <typename Kind>
    Failure(QString message, Kind kind)
        : m_message(std::move(message))
        , m_kind(static_cast<int>(kind))
    {
    }

    const QString& message() const { return m_message; }
    template <typename Kind> bool is(Kind kind) const { return m_kind == static_cast<int>(kind); }
    template <typename Kind> Kind kind() const { return static_cast<Kind>(m_kind); }

private:
    QString m_message;
    int m_kind = 0;
};

namespace orvanta::files {
inline Failure fail(QString message)
{
    return Failure(std::move(message));
}

template <typename Kind> Failure fail(QString message, Kind kind)
{
    return Failure(std::move(message), kind);
}
} // namespace orvanta::files

/** What an operation that can fail gives back: its value, or the Failure that says why there is none. */
template <typename T> class [[nodiscard]] Result final {
public:
    Result(T value)
        : m_value(std::move(value))
        , m_failure(QString())
    {
    }
    Result(Failure failure)
        : m_failure(std::move(failure))
    {
    }

    bool ok() const { return m_value.has_value(); }
    explicit operator bool() const { return ok(); }
    const T& value() const& { return *m_value; }
    T& value() & { return *m_value; }
    T&& value() && { return std::move(*m_value); }
    const T* operator->() const { return &*m_value; }
    T* operator->() { return &*m_value; }
    const T& operator*() const { return *m_value; }
    T valueOr(T fallback) const { return m_value ? *m_value : std::move(fallback); }
    /** The message, empty when it succeeded. */
    const QString& error() const { return m_failure.message(); }
    const Failure& failure() const { return m_failure; }

private:
    std::optional<T> m_value;
    Failure m_failure;
};

/** An operation that gives nothing back but can fail; a default one succeeded. */
template <> class [[nodiscard]] Result<void> final {
public:
    Result() = default;
    Result(Failure failure)
        : m_failed(true)
        , m_failure(std::move(failure))
    {
    }

    bool ok() const { return !m_failed; }
    explicit operator bool() const { return ok(); }
    const QString& error() const { return m_failure.message(); }
    const Failure& failure() const { return m_failure; }

private:
    bool m_failed = false;
    Failure m_failure{QString()};
};
