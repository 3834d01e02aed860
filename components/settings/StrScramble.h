#pragma once

#include <QByteArray>
#include <QString>
#include <QStringView>
#include <optional>

// Keyed character substitution that keeps a text from showing in the clear in a settings file.
// It hides, it does not protect: anyone with these tables can undo it. No table holds "=", which
// the text form of Unicode values uses to mark a zero byte.
namespace StrScramble {

// Two characters per byte; an empty key scrambles by the tables alone.
QString ScrambleBytes(const QByteArray& Value, const QByteArray& Key);
// Empty when Text holds a character outside the tables or a byte beyond 255.
std::optional<QByteArray> UnscrambleBytes(QStringView Text, const QByteArray& Key);

// Up to four characters per UTF-16 code unit; an empty key uses the first nibble table throughout.
QString ScrambleText(const QString& Value, const QByteArray& Key);
// Empty when Text is cut short or holds a character outside the tables it must come from.
std::optional<QString> UnscrambleText(QStringView Text, const QByteArray& Key);

}  // namespace StrScramble
