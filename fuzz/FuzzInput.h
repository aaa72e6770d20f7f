#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <cstddef>
#include <cstdint>

/**
 * Turns the fuzzer's bytes into strings and reports broken properties as crashes, so that
 * libFuzzer keeps the input that broke them.
 */
namespace FuzzInput {
/** The first byte of an input: how the rest is decoded and which branches run. */
struct Flags {
    bool utf16 = false;    ///< raw UTF-16 code units (lone surrogates, NUL) instead of UTF-8
    bool ownBonus = false; ///< page builder: the own bonus instead of the catalogue bonus
};
Flags flagsOf(const uint8_t* data, size_t size);

/** The bytes after the flag byte. */
QByteArray bodyOf(const uint8_t* data, size_t size);

/** Little-endian byte pairs as UTF-16 code units, unchecked; an odd last byte is dropped. */
QString utf16Of(const QByteArray& bytes);

/** @p body decoded as one string, by the flags. */
QString textOf(const QByteArray& body, Flags flags);

/**
 * @p body split into @p count strings: UTF-8 parts split at the byte 0xFF (never part of UTF-8),
 * UTF-16 parts split at the code unit U+FFFF. Missing parts are empty.
 */
QStringList fieldsOf(const QByteArray& body, Flags flags, int count);

/** Drops Qt's warnings (a NUL in a path warns on every input); the properties are the checks here. */
void silenceQtWarnings();

/** Prints the broken property and the value that broke it, then aborts. */
[[noreturn]] void fail(const char* property, const QString& detail);

inline void require(bool holds, const char* property, const QString& detail = QString())
{
    if (!holds)
        fail(property, detail);
}
} // namespace FuzzInput
